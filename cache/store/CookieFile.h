#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::cache {

// A site's cookie file: per cookie the lines name, value, domain and path, flags,
// expiry low and high, creation low and high, then a line "*".
std::string FormatCookieFile(const std::vector<Cookie>& cookies);

// One record of a cookie file: the cookie and the bytes it was read from.
struct CookieRecord {
  Cookie cookie;
  std::string_view text;
};
// The records of a cookie file, up to a damaged tail (a record without its "*" line).
// Lines end at a line feed; a carriage return before it belongs to the field, except in
// a record whose "*" line ends in "\r\n": that record's lines end so.
std::vector<CookieRecord> ReadCookieRecords(std::string_view text);
// The cookies of the records.
std::vector<Cookie> ParseCookieFile(std::string_view text);

// The file `text` with `cookie` in place of the record of the same name, domain (any
// case) and path, or added at the end; the other records keep their bytes and a damaged
// tail is dropped. `latestExpiry` becomes the latest expiry of the file's cookies.
std::string SetCookieRecord(std::string_view text, const Cookie& cookie, FileTime& latestExpiry);

// The parts of a URL that decide which cookies it is sent.
struct CookieTarget {
  bool secure = false;  // https
  std::string host;     // lower case, without user info and port
  std::string path;     // at least "/"
};
// Nothing when the URL is not an http or https address.
bool ParseCookieTarget(std::string_view url, CookieTarget& target);

// Whether `cookie` goes to `target` at time `now`: domain, path, secure flag, expiry.
bool CookieMatches(const Cookie& cookie, const CookieTarget& target, FileTime now);

// The header text a browser sends: longest paths first, then oldest, joined by "; ".
std::string JoinCookieText(std::vector<Cookie> cookies);

// The site a cookie's file belongs to: its domain, lower case, without a leading dot.
std::string CookieSite(std::string_view domain);

}  // namespace vantry::cache

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::cache {

// A site's cookie file: per cookie the lines name, value, domain and path, flags,
// expiry low and high, creation low and high, then a line "*".
std::string FormatCookieFile(const std::vector<Cookie>& cookies);
// Reads the records back; a damaged tail (a record without its "*" line) is dropped.
std::vector<Cookie> ParseCookieFile(std::string_view text);

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

#include "cache/store/CookieFile.h"

#include <algorithm>
#include <charconv>

#include "text/AsciiText.h"

namespace vantry::cache {

namespace {

constexpr size_t kRecordLines = 9;

// The next line of `text` from `at`, without its line feed; `at` moves past it.
std::string_view NextLine(std::string_view text, size_t& at) {
  size_t end = std::min(text.find('\n', at), text.size());
  std::string_view line = text.substr(at, end - at);
  at = end < text.size() ? end + 1 : end;
  return line;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

FileTime JoinHalves(uint32_t low, uint32_t high) { return (FileTime(high) << 32) | low; }

bool PathMatches(std::string_view cookiePath, std::string_view requestPath) {
  if (cookiePath.empty() || cookiePath == requestPath) return true;
  if (!requestPath.starts_with(cookiePath)) return false;
  return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

}  // namespace

std::string FormatCookieFile(const std::vector<Cookie>& cookies) {
  std::string text;
  for (const Cookie& c : cookies) {
    text += c.name + '\n' + c.value + '\n' + c.domain + c.path + '\n' + std::to_string(c.flags) + '\n' +
            std::to_string(uint32_t(c.expiry)) + '\n' + std::to_string(uint32_t(c.expiry >> 32)) + '\n' +
            std::to_string(uint32_t(c.creation)) + '\n' + std::to_string(uint32_t(c.creation >> 32)) + "\n*\n";
  }
  return text;
}

std::vector<CookieRecord> ReadCookieRecords(std::string_view text) {
  std::vector<CookieRecord> records;
  for (size_t at = 0; at < text.size();) {
    size_t start = at;
    std::string_view lines[kRecordLines];
    for (std::string_view& line : lines) line = NextLine(text, at);
    bool crlf = lines[8] == "*\r";
    if (lines[8] != "*" && !crlf) break;
    if (crlf)
      for (std::string_view& line : lines)
        if (line.ends_with('\r')) line.remove_suffix(1);
    CookieRecord record;
    Cookie& c = record.cookie;
    c.name = lines[0];
    c.value = lines[1];
    std::string_view origin = lines[2];
    size_t slash = origin.find('/');
    c.domain = origin.substr(0, slash);
    c.path = slash == std::string_view::npos ? "/" : std::string(origin.substr(slash));
    uint32_t expLow = 0, expHigh = 0, creLow = 0, creHigh = 0;
    if (!ParseNumber(lines[3], c.flags) || !ParseNumber(lines[4], expLow) || !ParseNumber(lines[5], expHigh) ||
        !ParseNumber(lines[6], creLow) || !ParseNumber(lines[7], creHigh))
      break;
    c.expiry = JoinHalves(expLow, expHigh);
    c.creation = JoinHalves(creLow, creHigh);
    record.text = text.substr(start, at - start);
    records.push_back(std::move(record));
  }
  return records;
}

std::vector<Cookie> ParseCookieFile(std::string_view text) {
  std::vector<Cookie> cookies;
  for (CookieRecord& record : ReadCookieRecords(text)) cookies.push_back(std::move(record.cookie));
  return cookies;
}

std::string SetCookieRecord(std::string_view text, const Cookie& cookie, FileTime& latestExpiry) {
  auto same = [&](const Cookie& c) {
    return c.name == cookie.name && text::ToLowerAscii(c.domain) == text::ToLowerAscii(cookie.domain) &&
           c.path == cookie.path;
  };
  std::string file;
  latestExpiry = cookie.expiry;
  for (const CookieRecord& record : ReadCookieRecords(text)) {
    if (same(record.cookie)) continue;
    file += record.text;
    if (!file.ends_with('\n')) file += '\n';
    latestExpiry = std::max(latestExpiry, record.cookie.expiry);
  }
  return file + FormatCookieFile({cookie});
}

bool ParseCookieTarget(std::string_view url, CookieTarget& target) {
  std::string lower = text::ToLowerAscii(url.substr(0, 8));
  size_t skip;
  if (lower.starts_with("https://")) {
    target.secure = true;
    skip = 8;
  } else if (lower.starts_with("http://")) {
    target.secure = false;
    skip = 7;
  } else {
    return false;
  }
  std::string_view rest = url.substr(skip);
  size_t hostEnd = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, hostEnd);
  if (size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  if (size_t colon = authority.rfind(':');
      colon != std::string_view::npos && authority.find(']') == std::string_view::npos)
    authority = authority.substr(0, colon);
  target.host = text::ToLowerAscii(authority);
  std::string_view path = hostEnd == std::string_view::npos ? std::string_view() : rest.substr(hostEnd);
  path = path.substr(0, path.find_first_of("?#"));
  target.path = path.empty() ? "/" : std::string(path);
  return !target.host.empty();
}

bool CookieMatches(const Cookie& cookie, const CookieTarget& target, FileTime now) {
  if (cookie.expiry != 0 && cookie.expiry <= now) return false;
  if ((cookie.flags & COOKIE_FLAG_SECURE) && !target.secure) return false;
  std::string domain = text::ToLowerAscii(cookie.domain);
  bool domainMatch;
  if (domain.starts_with('.')) {
    std::string_view bare = std::string_view(domain).substr(1);
    domainMatch = target.host == bare || target.host.ends_with(domain);
  } else {
    domainMatch = target.host == domain;
  }
  return domainMatch && PathMatches(cookie.path, target.path);
}

std::string JoinCookieText(std::vector<Cookie> cookies) {
  std::stable_sort(cookies.begin(), cookies.end(), [](const Cookie& a, const Cookie& b) {
    if (a.path.size() != b.path.size()) return a.path.size() > b.path.size();
    return a.creation < b.creation;
  });
  std::string text;
  for (const Cookie& c : cookies) {
    if (!text.empty()) text += "; ";
    text += c.name.empty() ? c.value : c.name + '=' + c.value;
  }
  return text;
}

std::string CookieSite(std::string_view domain) {
  if (domain.starts_with('.')) domain.remove_prefix(1);
  return text::ToLowerAscii(domain);
}

}  // namespace vantry::cache

#include "cache/store/CookieFile.h"

#include <algorithm>
#include <charconv>

#include "text/AsciiText.h"

namespace vantry::cache {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
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

std::vector<Cookie> ParseCookieFile(std::string_view text) {
  std::vector<Cookie> cookies;
  std::vector<std::string_view> lines = SplitLines(text);
  for (size_t i = 0; i + 8 < lines.size(); i += 9) {
    if (lines[i + 8] != "*") break;
    Cookie c;
    c.name = lines[i];
    c.value = lines[i + 1];
    std::string_view origin = lines[i + 2];
    size_t slash = origin.find('/');
    c.domain = origin.substr(0, slash);
    c.path = slash == std::string_view::npos ? "/" : std::string(origin.substr(slash));
    uint32_t expLow = 0, expHigh = 0, creLow = 0, creHigh = 0;
    if (!ParseNumber(lines[i + 3], c.flags) || !ParseNumber(lines[i + 4], expLow) ||
        !ParseNumber(lines[i + 5], expHigh) || !ParseNumber(lines[i + 6], creLow) ||
        !ParseNumber(lines[i + 7], creHigh))
      break;
    c.expiry = JoinHalves(expLow, expHigh);
    c.creation = JoinHalves(creLow, creHigh);
    cookies.push_back(std::move(c));
  }
  return cookies;
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

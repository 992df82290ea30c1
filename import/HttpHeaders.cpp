#include "import/HttpHeaders.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "text/AsciiText.h"

namespace vantry::import {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The header name of a line, or empty for the status line.
std::string_view HeaderName(std::string_view line) {
  if (line.starts_with("HTTP/")) return {};
  size_t colon = line.find(':');
  return colon == std::string_view::npos ? std::string_view() : Trim(line.substr(0, colon));
}

bool IsHeader(std::string_view line, std::string_view name) {
  std::string_view found = HeaderName(line);
  return found.size() == name.size() && text::StartsWithNoCase(found, name);
}

std::string_view ValueOf(std::string_view line) { return Trim(line.substr(line.find(':') + 1)); }

}  // namespace

std::vector<std::string_view> HeaderLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(std::string_view("\r\n\0", 3), start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string HeaderTextFromLines(const std::vector<std::string_view>& lines) {
  std::string text;
  for (std::string_view line : lines)
    if (!line.empty()) text.append(line).append("\r\n");
  text += "\r\n";
  return text;
}

std::optional<std::string> HeaderValue(std::string_view text, std::string_view name) {
  for (std::string_view line : HeaderLines(text))
    if (IsHeader(line, name)) return std::string(ValueOf(line));
  return std::nullopt;
}

std::string HeadersForDecodedBody(std::string_view text, uint64_t decodedSize) {
  std::string result;
  bool hadLength = false;
  for (std::string_view line : HeaderLines(text)) {
    if (IsHeader(line, "Content-Encoding")) {
      result.append("Original-Content-Encoding: ").append(ValueOf(line));
    } else if (IsHeader(line, "Content-Length")) {
      hadLength = true;
      result.append("Original-Content-Length: ").append(ValueOf(line));
    } else {
      result.append(line);
    }
    result += "\r\n";
  }
  if (hadLength) result += "Content-Length: " + std::to_string(decodedSize) + "\r\n";
  return result + "\r\n";
}

std::optional<cache::FileTime> ParseHttpDate(std::string_view text) {
  std::string date(Trim(text));
  static const char* const kForms[] = {"%a, %d %b %Y %H:%M:%S", "%A, %d-%b-%y %H:%M:%S", "%a %b %d %H:%M:%S %Y"};
  for (const char* form : kForms) {
    std::tm parts{};
    const char* end = strptime(date.c_str(), form, &parts);
    if (end == nullptr) continue;
    std::string_view rest = Trim(end);
    if (!rest.empty() && rest != "GMT" && rest != "UTC" && rest != "+0000") continue;
    time_t seconds = timegm(&parts);
    if (seconds < 0) return std::nullopt;
    return cache::FileTimeFromUnixSeconds(seconds);
  }
  return std::nullopt;
}

cache::FileTime ExpiryFromHeaders(std::string_view text, cache::FileTime responseTime) {
  if (std::optional<std::string> control = HeaderValue(text, "Cache-Control")) {
    std::string lower = text::ToLowerAscii(*control);
    for (size_t pos = lower.find("max-age"); pos != std::string::npos; pos = lower.find("max-age", pos + 1)) {
      if (pos > 0 && lower[pos - 1] == '-') continue;  // s-maxage is spelled apart; skip look-alikes
      size_t equals = lower.find_first_not_of(' ', pos + 7);
      if (equals == std::string::npos || lower[equals] != '=') continue;
      char* end = nullptr;
      long long seconds = std::strtoll(lower.c_str() + equals + 1, &end, 10);
      if (end == lower.c_str() + equals + 1 || seconds < 0 || responseTime == 0) continue;
      seconds = std::min<long long>(seconds, 400LL * 365 * 86400);
      return responseTime + static_cast<cache::FileTime>(seconds) * 10000000ULL;
    }
  }
  if (std::optional<std::string> expires = HeaderValue(text, "Expires"))
    if (std::optional<cache::FileTime> when = ParseHttpDate(*expires)) return *when;
  return 0;
}

}  // namespace vantry::import

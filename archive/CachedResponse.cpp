#include "archive/CachedResponse.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "cache/store/StoreFiles.h"
#include "text/AsciiText.h"

namespace vantry::archive {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// "HTTP/1.1 301 Moved" gives 301; anything else gives nothing.
bool ReadStatusLine(std::string_view line, int& status) {
  if (!text::StartsWithNoCase(line, "HTTP/")) return false;
  size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return false;
  std::string_view rest = Trimmed(line.substr(blank + 1));
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), status);
  return error == std::errc() && end != rest.data();
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kTypesByExtension = {{
    {"htm", "text/html"},
    {"html", "text/html"},
    {"css", "text/css"},
    {"js", "text/javascript"},
    {"txt", "text/plain"},
    {"xml", "text/xml"},
    {"gif", "image/gif"},
    {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},
    {"png", "image/png"},
    {"svg", "image/svg+xml"},
    {"ico", "image/x-icon"},
    {"xbm", "image/x-xbitmap"},
    {"webp", "image/webp"},
    {"json", "application/json"},
    {"au", "audio/basic"},
    {"aif", "audio/x-aiff"},
    {"aiff", "audio/x-aiff"},
}};

}  // namespace

CachedResponse ParseStoredHeaders(std::string_view headers) {
  CachedResponse response;
  bool firstLine = true;
  while (!headers.empty()) {
    size_t end = headers.find('\n');
    std::string_view line = headers.substr(0, end);
    headers = end == std::string_view::npos ? std::string_view() : headers.substr(end + 1);
    if (firstLine && ReadStatusLine(line, response.status)) {
      firstLine = false;
      continue;
    }
    firstLine = false;
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    std::string name = text::ToLowerAscii(Trimmed(line.substr(0, colon)));
    std::string_view value = Trimmed(line.substr(colon + 1));
    if (name == "content-type") response.contentType = value;
    if (name == "location") response.location = value;
  }
  return response;
}

bool IsRedirectStatus(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string GuessContentType(std::string_view fileName, std::string_view body) {
  std::string extension = text::ToLowerAscii(cache::FileExtensionOf(fileName));
  for (const auto& [known, type] : kTypesByExtension)
    if (extension == known) return std::string(type);
  std::string head = text::ToLowerAscii(body.substr(0, 512));
  if (head.find("<html") != std::string::npos || head.find("<!doctype html") != std::string::npos) return "text/html";
  bool binary = std::find(head.begin(), head.end(), '\0') != head.end();
  return binary ? "application/octet-stream" : "text/plain";
}

}  // namespace vantry::archive

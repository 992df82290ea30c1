#include "tools/vantry-store/ResponseHeaders.h"

#include <cstdio>
#include <ctime>
#include <utility>

#include "text/AsciiText.h"

namespace vantry::storetool {

std::string HttpDate(int64_t unixSeconds) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  time_t seconds = static_cast<time_t>(unixSeconds);
  tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[utc.tm_wday], utc.tm_mday,
           kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

// Seven lines and the empty one at most: the entry pane shows eight header lines and
// interrupts with a notice for each line end beyond them.
std::string ResponseHeaders(const ResponseFacts& facts) {
  std::string headers = "HTTP/1.1 200 OK\r\n";
  headers += "Date: " + HttpDate(facts.date) + "\r\n";
  headers += "Content-Type: " + facts.contentType + "\r\n";
  headers += "Content-Length: " + std::to_string(facts.contentLength) + "\r\n";
  headers += "Last-Modified: " + HttpDate(facts.lastModified) + "\r\n";
  if (!facts.etag.empty()) headers += "ETag: \"" + facts.etag + "\"\r\n";
  headers += "Cache-Control: max-age=" + std::to_string(facts.maxAgeSeconds) + "\r\n";
  headers += "\r\n";
  return headers;
}

std::string_view ContentTypeForName(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
      {"html", "text/html; charset=utf-8"},
      {"htm", "text/html; charset=utf-8"},
      {"asp", "text/html; charset=utf-8"},
      {"txt", "text/plain; charset=utf-8"},
      {"css", "text/css"},
      {"js", "application/x-javascript"},
      {"gif", "image/gif"},
      {"png", "image/png"},
      {"jpg", "image/jpeg"},
      {"jpeg", "image/jpeg"},
      {"ico", "image/x-icon"},
      {"zip", "application/zip"},
  };
  name = name.substr(0, name.find_first_of("?#"));
  if (name.empty() || name.ends_with('/')) return "text/html; charset=utf-8";
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) return "application/octet-stream";
  std::string extension = text::ToLowerAscii(name.substr(dot + 1));
  for (const auto& [known, type] : kTypes)
    if (extension == known) return type;
  return "application/octet-stream";
}

}  // namespace vantry::storetool

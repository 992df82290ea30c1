#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantry::storetool {

// What a cached response said about itself; times are Unix seconds.
struct ResponseFacts {
  std::string contentType;  // the full value, e.g. "text/html; charset=utf-8"
  uint64_t contentLength = 0;
  int64_t date = 0;
  int64_t lastModified = 0;
  int64_t maxAgeSeconds = 86400;
  std::string etag;  // without quotes; empty: none
};

// "Mon, 07 Dec 2026 08:15:00 GMT", independent of the locale.
std::string HttpDate(int64_t unixSeconds);

// The header block a cache keeps for a 200 response: status line, header lines, blank line.
std::string ResponseHeaders(const ResponseFacts& facts);

// A content type for a file name or URL by its extension (a folder address is a page);
// application/octet-stream when the extension says nothing.
std::string_view ContentTypeForName(std::string_view name);

}  // namespace vantry::storetool

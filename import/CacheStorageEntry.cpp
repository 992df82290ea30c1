#include "import/CacheStorageEntry.h"

#include "import/BrowserRecords.h"
#include "import/HttpHeaders.h"
#include "import/ProtobufFields.h"
#include "import/SimpleCacheStreams.h"

namespace vantry::import {

namespace {

// Field numbers of the stored record: the request's method, the response's status,
// headers (name, value) and time, and when the entry was put into the cache.
enum MetadataField : uint32_t { kRequest = 1, kResponse = 2, kEntryTime = 3 };
enum RequestField : uint32_t { kMethod = 1 };
enum ResponseField : uint32_t { kStatusCode = 1, kStatusText = 2, kHeaders = 4, kResponseTime = 6 };
enum HeaderField : uint32_t { kName = 1, kValue = 2 };

std::string ReadMethod(std::string_view request) {
  std::string method = "GET";
  for (ProtobufFields fields(request); fields.Next();)
    if (fields.number() == kMethod && !fields.isNumber()) method = fields.bytes();
  return method;
}

std::string HeaderLine(std::string_view header) {
  std::string_view name, value;
  for (ProtobufFields fields(header); fields.Next();) {
    if (fields.isNumber()) continue;
    if (fields.number() == kName) name = fields.bytes();
    if (fields.number() == kValue) value = fields.bytes();
  }
  return std::string(name) + ": " + std::string(value);
}

// The status line and header lines; false without a status code or where damaged.
bool ReadResponse(std::string_view response, ImportedEntry& entry) {
  uint64_t status = 0;
  std::string_view statusText;
  std::vector<std::string> lines;
  ProtobufFields fields(response);
  while (fields.Next()) {
    if (fields.number() == kStatusCode && fields.isNumber()) status = fields.value();
    if (fields.number() == kStatusText && !fields.isNumber()) statusText = fields.bytes();
    if (fields.number() == kHeaders && !fields.isNumber()) lines.push_back(HeaderLine(fields.bytes()));
    if (fields.number() == kResponseTime && fields.isNumber())
      entry.responseTime = FileTimeFromWindowsMicroseconds(static_cast<int64_t>(fields.value()));
  }
  if (fields.damaged() || status == 0 || status > 999) return false;
  lines.insert(lines.begin(),
               "HTTP/1.1 " + std::to_string(status) + (statusText.empty() ? "" : " ") + std::string(statusText));
  entry.headers = HeaderTextFromLines(std::vector<std::string_view>(lines.begin(), lines.end()));
  return true;
}

}  // namespace

ParsedEntry ParseCacheStorageEntry(const ByteSource& file) {
  SimpleCacheStreams streams = ReadSimpleCacheStreams(file);
  if (!streams.problem.empty()) return {std::nullopt, std::move(streams.problem)};
  if (streams.key.empty()) return {std::nullopt, "key without a URL"};
  ImportedEntry entry;
  entry.url = std::move(streams.key);
  bool hasResponse = false;
  uint64_t entryTime = 0;
  ProtobufFields fields(streams.stream0);
  while (fields.Next()) {
    if (fields.number() == kRequest && !fields.isNumber()) entry.method = ReadMethod(fields.bytes());
    if (fields.number() == kResponse && !fields.isNumber()) hasResponse = ReadResponse(fields.bytes(), entry);
    if (fields.number() == kEntryTime && fields.isNumber()) entryTime = fields.value();
  }
  if (fields.damaged() || !hasResponse) return {std::nullopt, "response record damaged"};
  cache::FileTime put = FileTimeFromWindowsMicroseconds(static_cast<int64_t>(entryTime));
  entry.lastFetched = entry.lastModified = put ? put : entry.responseTime;
  entry.expires = ExpiryFromHeaders(entry.headers, entry.responseTime);
  entry.bodyDecoded = true;
  entry.bodyOffset = streams.bodyOffset;
  entry.bodySize = streams.bodySize;
  entry.bodyCrc32 = streams.bodyCrc32;
  return {std::move(entry), {}};
}

}  // namespace vantry::import

#include "import/SimpleCacheEntry.h"

#include "import/HttpHeaders.h"
#include "import/ResponseInfoPickle.h"
#include "import/SimpleCacheStreams.h"
#include "import/UrlKeys.h"

namespace vantry::import {

ParsedEntry ParseSimpleCacheEntry(const ByteSource& file) {
  SimpleCacheStreams streams = ReadSimpleCacheStreams(file);
  if (!streams.problem.empty()) return {std::nullopt, std::move(streams.problem)};
  ImportedEntry entry;
  std::optional<std::string> url = UrlFromChromiumKey(streams.key);
  if (!url) return {std::nullopt, "key without a URL"};
  entry.url = std::move(*url);
  if (IsChromiumUploadKey(streams.key)) entry.method = "POST";
  if (!ReadResponseInfo(streams.stream0, entry)) return {std::nullopt, "response info damaged"};
  entry.lastFetched = entry.lastModified = entry.responseTime;
  entry.expires = ExpiryFromHeaders(entry.headers, entry.responseTime);
  entry.bodyOffset = streams.bodyOffset;
  entry.bodySize = streams.bodySize;
  entry.bodyCrc32 = streams.bodyCrc32;
  return {std::move(entry), {}};
}

}  // namespace vantry::import

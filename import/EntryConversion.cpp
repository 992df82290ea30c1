#include "import/EntryConversion.h"

#include "import/ContentDecoding.h"
#include "import/HttpHeaders.h"

namespace vantry::import {

ConvertedEntry ConvertEntry(const ImportedEntry& imported, std::string body) {
  ConvertedEntry converted;
  cache::NewEntry& entry = converted.entry;
  entry.url = imported.url;
  entry.headers = imported.headers;
  std::optional<std::string> coding = HeaderValue(imported.headers, "Content-Encoding");
  if (coding && HasContentCoding(*coding)) {
    std::optional<std::string> decoded;
    if (!imported.bodyDecoded) decoded = DecodeContent(*coding, body);
    if (decoded) body = std::move(*decoded);
    if (imported.bodyDecoded || decoded) {
      entry.headers = HeadersForDecodedBody(imported.headers, body.size());
      converted.coding = BodyCoding::Decoded;
    } else {
      converted.coding = BodyCoding::LeftEncoded;
    }
  }
  entry.content = std::move(body);
  entry.entryType = cache::NORMAL_CACHE_ENTRY | (imported.pinned ? cache::STICKY_CACHE_ENTRY : 0);
  entry.useCount = imported.fetchCount;
  entry.lastAccessTime = imported.lastFetched;
  entry.lastModifiedTime = imported.lastModified;
  entry.expireTime = imported.expires;
  entry.lastSyncTime = imported.responseTime;
  entry.hitRate = 0;
  return converted;
}

}  // namespace vantry::import

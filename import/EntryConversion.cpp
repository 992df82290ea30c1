#include "import/EntryConversion.h"

#include "import/ContentDecoding.h"
#include "import/HttpHeaders.h"

ConvertedEntry ConvertEntry(const ImportedEntry& imported, std::string body) {
  ConvertedEntry converted;
  NewEntry& entry = converted.entry;
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
  entry.entryType = NORMAL_CACHE_ENTRY | (imported.pinned ? STICKY_CACHE_ENTRY : 0);
  entry.useCount = imported.fetchCount;
  entry.lastAccessTime = imported.lastFetched;
  entry.lastModifiedTime = imported.lastModified;
  entry.expireTime = imported.expires;
  entry.lastSyncTime = imported.responseTime;
  entry.hitRate = 0;
  return converted;
}

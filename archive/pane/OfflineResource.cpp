#include "archive/pane/OfflineResource.h"

#include "archive/CachedResponse.h"
#include "archive/pane/OfflineAddress.h"
#include "cache/store/CacheAccess.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"

namespace vantry::archive {

OfflineResource FindOfflineResource(cache::UrlCacheStore& store, std::string_view networkAddress) {
  OfflineResource resource;
  for (const std::string& key : StoreKeyCandidates(networkAddress)) {
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(store, key);
    if (!entry) continue;
    resource.storeKey = key;
    CachedResponse response = ParseStoredHeaders(cache::HeaderText(*entry));
    if (IsRedirectStatus(response.status) && !response.location.empty()) {
      resource.kind = OfflineResource::Kind::Redirect;
      resource.location = response.location;
      return resource;
    }
    std::optional<std::string> body;
    if (!entry->localFileName.empty()) body = files::ReadWholeFile(entry->localFileName);
    if (!body) return resource;
    resource.kind = OfflineResource::Kind::Body;
    resource.contentType =
        response.contentType.empty() ? GuessContentType(entry->localFileName, *body) : response.contentType;
    resource.body = std::move(*body);
    return resource;
  }
  return resource;
}

}  // namespace vantry::archive

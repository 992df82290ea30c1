#include "ops/ImportOffer.h"

#include "cache/store/CacheAccess.h"
#include "ops/SettingKeys.h"

namespace vantry::ops {

namespace {

bool IsEmpty(cache::UrlCacheStore& store) {
  cache::CacheEntry entry;
  uint32_t size = cache::kFirstEntryBufferSize;
  cache::WalkHandle walk = 0;
  uint32_t result = store.FindFirstEntry("", entry, size, walk);
  if (result == cache::STORE_OK || result == cache::ERROR_INSUFFICIENT_BUFFER) store.FindCloseWalk(walk);
  return result == cache::ERROR_NO_MORE_ITEMS;
}

}  // namespace

bool TakeImportOfferAtStart(cache::UrlCacheStore& store, SettingsStore& settings) {
  if (Read(settings, kImportOffered) != 0 || !IsEmpty(store)) return false;
  Write(settings, kImportOffered, 1);
  return true;
}

}  // namespace vantry::ops

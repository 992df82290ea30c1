#include "cache/store/CacheAccess.h"

namespace vantry::cache {

namespace {

// Fetches one entry into a fresh buffer, growing it while the store asks for more.
// `call` is FindFirstEntry or FindNextEntry bound to everything but the buffer.
template <typename Call>
uint32_t FetchGrowing(CacheEntry& entry, Call call) {
  uint32_t size = kFirstEntryBufferSize;
  entry = CacheEntry{};
  entry.structSize = size;
  uint32_t error = call(entry, size);
  while (error == ERROR_INSUFFICIENT_BUFFER) {
    entry = CacheEntry{};
    entry.structSize = size;
    error = call(entry, size);
  }
  return error;
}

}  // namespace

WalkResult WalkCache(UrlCacheStore& store, std::string_view pattern, const WalkStep& step) {
  return WalkCacheUntil(store, pattern, [&step](CacheEntry& entry) {
    step(entry);
    return true;
  });
}

WalkResult WalkCacheUntil(UrlCacheStore& store, std::string_view pattern, const StoppableWalkStep& step) {
  WalkHandle handle = 0;
  bool started = false;
  CacheEntry entry;
  uint32_t error = FetchGrowing(entry, [&](CacheEntry& buffer, uint32_t& size) {
    if (!started) {
      started = true;
      return store.FindFirstEntry(pattern, buffer, size, handle);
    }
    return store.FindNextEntry(handle, buffer, size);
  });
  if (error == ERROR_NO_MORE_ITEMS && handle == 0) return WalkResult::Normal;
  if (error != STORE_OK) {
    if (handle != 0) store.FindCloseWalk(handle);
    return error == ERROR_NO_MORE_ITEMS ? WalkResult::Normal : WalkResult::Failed;
  }
  for (;;) {
    if (!step(entry)) {
      store.FindCloseWalk(handle);
      return WalkResult::Stopped;
    }
    error = FetchGrowing(entry,
                         [&](CacheEntry& buffer, uint32_t& size) { return store.FindNextEntry(handle, buffer, size); });
    if (error != STORE_OK) break;
  }
  store.FindCloseWalk(handle);
  return error == ERROR_NO_MORE_ITEMS ? WalkResult::Normal : WalkResult::Failed;
}

std::optional<CacheEntry> LookupEntry(UrlCacheStore& store, std::string_view url) {
  uint32_t size = 0;
  if (store.GetEntryInfo(url, nullptr, size) != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  CacheEntry entry;
  entry.structSize = size;
  if (store.GetEntryInfo(url, &entry, size) != STORE_OK) return std::nullopt;
  return entry;
}

std::optional<std::string> LookupLocalFileName(UrlCacheStore& store, std::string_view url, std::string_view noHeaders) {
  std::optional<CacheEntry> entry = LookupEntry(store, url);
  if (!entry) return std::nullopt;
  if (entry->headerInfoSize() == 0) return std::string(noHeaders);
  return entry->localFileName;
}

std::optional<std::string> GetCookieText(UrlCacheStore& store, std::string_view url) {
  uint32_t size = 0;
  if (store.GetCookie(url, nullptr, size) != STORE_OK || size == 0) return std::nullopt;
  std::string text(size + 1, '\0');
  if (store.GetCookie(url, text.data(), size) != STORE_OK) return std::nullopt;
  text.resize(size);
  return text;
}

void GoOffline(UrlCacheStore& store) {
  store.SetConnectedState(INTERNET_STATE_DISCONNECTED_BY_USER, ISO_FORCE_DISCONNECTED);
}

}  // namespace vantry::cache

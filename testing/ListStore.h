#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cache/store/CacheAccess.h"
#include "cache/store/SqliteUrlCacheStore.h"

namespace vantry::testing {

// Entries for a test store, built up in the order the store will hand them out.
inline cache::NewEntry PageEntry(std::string url,
                                 std::string headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n",
                                 uint32_t type = cache::NORMAL_CACHE_ENTRY, std::string content = "<html></html>") {
  cache::NewEntry entry;
  entry.url = std::move(url);
  entry.headers = std::move(headers);
  entry.entryType = type;
  entry.content = std::move(content);
  return entry;
}

// The URLs of every entry matching `pattern`, in the store's order.
inline std::vector<std::string> StoredUrls(cache::UrlCacheStore& store, std::string_view pattern = {}) {
  std::vector<std::string> urls;
  cache::WalkCache(store, pattern, [&](cache::CacheEntry& entry) { urls.push_back(entry.sourceUrl); });
  return urls;
}

// A store whose walk fails after handing out `entriesBeforeFailure` entries.
class FailingWalkStore : public cache::SqliteUrlCacheStore {
 public:
  FailingWalkStore(const std::filesystem::path& folder, int entriesBeforeFailure)
      : cache::SqliteUrlCacheStore(folder), left_(entriesBeforeFailure) {}
  uint32_t FindFirstEntry(std::string_view p, cache::CacheEntry& e, uint32_t& size, cache::WalkHandle& h) override {
    uint32_t result = cache::SqliteUrlCacheStore::FindFirstEntry(p, e, size, h);
    if (result == cache::STORE_OK) --left_;
    return result;
  }
  uint32_t FindNextEntry(cache::WalkHandle h, cache::CacheEntry& e, uint32_t& size) override {
    if (left_ <= 0) return cache::ERROR_STORE_FAILURE;
    uint32_t result = cache::SqliteUrlCacheStore::FindNextEntry(h, e, size);
    if (result == cache::STORE_OK) --left_;
    return result;
  }

 private:
  int left_;
};

}  // namespace vantry::testing

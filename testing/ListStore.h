#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cache/store/CacheAccess.h"
#include "cache/store/SqliteUrlCacheStore.h"

// Entries for a test store, built up in the order the store will hand them out.
inline NewEntry PageEntry(std::string url, std::string headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n",
                          uint32_t type = NORMAL_CACHE_ENTRY, std::string content = "<html></html>") {
  NewEntry entry;
  entry.url = std::move(url);
  entry.headers = std::move(headers);
  entry.entryType = type;
  entry.content = std::move(content);
  return entry;
}

// The URLs of every entry matching `pattern`, in the store's order.
inline std::vector<std::string> StoredUrls(UrlCacheStore& store, std::string_view pattern = {}) {
  std::vector<std::string> urls;
  WalkCache(store, pattern, [&](CacheEntry& entry) { urls.push_back(entry.sourceUrl); });
  return urls;
}

// A store whose walk fails after handing out `entriesBeforeFailure` entries.
class FailingWalkStore : public SqliteUrlCacheStore {
 public:
  FailingWalkStore(const std::filesystem::path& folder, int entriesBeforeFailure)
      : SqliteUrlCacheStore(folder), left_(entriesBeforeFailure) {}
  uint32_t FindFirstEntry(std::string_view p, CacheEntry& e, uint32_t& size, WalkHandle& h) override {
    uint32_t result = SqliteUrlCacheStore::FindFirstEntry(p, e, size, h);
    if (result == STORE_OK) --left_;
    return result;
  }
  uint32_t FindNextEntry(WalkHandle h, CacheEntry& e, uint32_t& size) override {
    if (left_ <= 0) return ERROR_STORE_FAILURE;
    uint32_t result = SqliteUrlCacheStore::FindNextEntry(h, e, size);
    if (result == STORE_OK) --left_;
    return result;
  }

 private:
  int left_;
};

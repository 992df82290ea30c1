#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "cache/store/CacheEntry.h"

namespace vantry::import {

// What the index files of a Simple Cache folder say. "index" holds the cache's version
// (5 to 9 are known); the real index (index-dir/the-real-index, in version 5 the folder's
// own the-real-index) holds each entry's last use. Neither is needed to read the entry
// files: a missing or damaged real index gives no times.
struct SimpleCacheIndex {
  std::optional<uint32_t> version;                         // none: no readable "index"
  std::unordered_map<uint64_t, cache::FileTime> lastUsed;  // entry hash (its file name) -> time
};

SimpleCacheIndex ReadSimpleCacheIndex(const std::filesystem::path& folder);

inline bool IsKnownSimpleCacheVersion(uint32_t version) { return version >= 5 && version <= 9; }

// The entry hash in an entry file's name ("<16 hex>_0"); none for other names.
std::optional<uint64_t> SimpleCacheEntryHash(std::string_view fileName);

}  // namespace vantry::import

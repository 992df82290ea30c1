#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dates/FileTime.h"

namespace vantry::cache {

// Entry-type flags of a cache entry.
inline constexpr uint32_t NORMAL_CACHE_ENTRY = 0x00000001;
inline constexpr uint32_t STICKY_CACHE_ENTRY = 0x00000004;
inline constexpr uint32_t TRACK_OFFLINE_CACHE_ENTRY = 0x00000010;
inline constexpr uint32_t TRACK_ONLINE_CACHE_ENTRY = 0x00000020;
inline constexpr uint32_t UNDOCUMENTED_CACHE_ENTRY_40 = 0x00000040;
inline constexpr uint32_t SPARSE_CACHE_ENTRY = 0x00010000;
inline constexpr uint32_t COOKIE_CACHE_ENTRY = 0x00100000;
inline constexpr uint32_t URLHISTORY_CACHE_ENTRY = 0x00200000;

using dates::FileTime;
using dates::FileTimeFromUnixSeconds;
using dates::kFileTimeTicksPerSecond;
using dates::kUnixEpochAsFileTime;
using dates::UnixSecondsFromFileTime;

// One entry of the cache store. Texts are bytes: URLs and headers are never re-encoded.
struct CacheEntry {
  // Before a request the caller writes the size of the buffer it offers here.
  uint32_t structSize = 0;
  std::string sourceUrl;
  std::string localFileName;
  uint32_t entryType = 0;
  uint32_t useCount = 0;
  uint32_t hitRate = 0;
  uint32_t sizeLow = 0;
  uint32_t sizeHigh = 0;
  FileTime lastModifiedTime = 0;
  FileTime expireTime = 0;
  FileTime lastAccessTime = 0;
  FileTime lastSyncTime = 0;
  // The stored response header lines; headerInfo.size() is the header info size.
  std::string headerInfo;
  std::string fileExtension;
  uint32_t exemptDelta = 0;

  uint32_t headerInfoSize() const { return static_cast<uint32_t>(headerInfo.size()); }
};

// The header info as text: it ends at its first NUL byte and never runs past its size.
inline std::string_view HeaderText(const CacheEntry& entry) {
  std::string_view bytes = entry.headerInfo;
  return bytes.substr(0, bytes.find('\0'));
}

// A content entry is a cached file: not a history record, and with stored headers.
inline bool IsContentEntry(const CacheEntry& entry) {
  return (entry.entryType & URLHISTORY_CACHE_ENTRY) == 0 && entry.headerInfoSize() != 0;
}

// Bytes an entry occupies as one block: the fixed fields plus its NUL-terminated texts.
inline constexpr uint32_t kEntryFixedSize = 80;
inline uint32_t EntryBlockSize(const CacheEntry& entry) {
  return kEntryFixedSize + static_cast<uint32_t>(entry.sourceUrl.size() + entry.localFileName.size() +
                                                 entry.headerInfo.size() + entry.fileExtension.size() + 4);
}

FileTime FileTimeNow();

}  // namespace vantry::cache

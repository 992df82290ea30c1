#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// 100-nanosecond units since 1601-01-01 UTC.
using FileTime = uint64_t;

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

// File times of the Unix clock: seconds since 1970 are offset by the 1601 epoch.
inline constexpr FileTime kFileTimeTicksPerSecond = 10'000'000;
inline constexpr int64_t kSecondsFrom1601To1970 = 11'644'473'600;
inline constexpr FileTime kUnixEpochAsFileTime = kSecondsFrom1601To1970 * kFileTimeTicksPerSecond;

// The file time of a moment given in seconds since 1970; 0 for moments before 1601, the
// largest file time for moments past it.
inline FileTime FileTimeFromUnixSeconds(int64_t seconds) {
  if (seconds < -kSecondsFrom1601To1970) return 0;
  // Unsigned arithmetic: exact for every value that passed the check above, no overflow.
  const uint64_t secondsSince1601 = static_cast<uint64_t>(seconds) + static_cast<uint64_t>(kSecondsFrom1601To1970);
  if (secondsSince1601 > UINT64_MAX / kFileTimeTicksPerSecond) return UINT64_MAX;
  return secondsSince1601 * kFileTimeTicksPerSecond;
}

// Whole seconds since 1970-01-01 UTC, rounded down; negative before 1970.
inline int64_t UnixSecondsFromFileTime(FileTime time) {
  return static_cast<int64_t>(time / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

FileTime FileTimeNow();

}  // namespace vantry::cache

#pragma once

#include <array>
#include <cstdint>

namespace vantry::cache {

// The figures one walk of the cache gathers: 44 counters, all 0 at the start.
struct CacheStatistics {
  enum Counter : int {
    kTotal = 0,
    kCookie = 1,
    kUrl = 2,
    kHistory = 3,
    kHttp = 4,
    kFtp = 5,
    kHtmExtension = 6,
    kGif = 7,
    kJpeg = 8,
    kActiveX = 9,
    kAu = 11,
    kAiff = 12,
    kXbm = 13,
    kPng = 14,
    kJava = 15,
    kJavascript = 16,
    kStyleSheet = 17,
    kHtml = 19,
  };
  static constexpr int kCounters = 44;

  std::array<uint32_t, kCounters> counters{};
  // Sums of the entries' sizes and of their sizes on disk. They are 64-bit because a cache
  // passes 4 GB long before its entry counts pass 2^31; slots 42 and 43 stay unused.
  uint64_t bytes = 0;
  uint64_t bytesOnDisk = 0;

  uint32_t& operator[](Counter c) { return counters[c]; }
  uint32_t operator[](Counter c) const { return counters[c]; }
  bool operator==(const CacheStatistics&) const = default;
};

}  // namespace vantry::cache

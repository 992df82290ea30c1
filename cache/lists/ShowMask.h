#pragma once

#include <cstdint>

#include "cache/store/CacheEntry.h"

namespace vantry::cache {

// The kinds of entries the alphabetical list shows after a Find ("Show:" boxes of the
// Find files dialog). One record lives in the frame for the life of the program.
struct ShowMask {
  static constexpr uint32_t kHtml = 0x1;
  static constexpr uint32_t kText = 0x2;
  static constexpr uint32_t kImage = 0x4;
  static constexpr uint32_t kAudio = 0x8;
  static constexpr uint32_t kApplication = 0x10;
  static constexpr uint32_t kMisc = 0x20;
  static constexpr uint32_t kStyleSheet = 0x40;
  static constexpr uint32_t kCookie = 0x400;
  static constexpr uint32_t kSticky = 0x10000;

  uint32_t bits = kHtml;
};

// Whether at least one bit of `mask` passes the entry. Classifying lower-cases the
// entry's header info in place.
bool PassesShowMask(const ShowMask& mask, CacheEntry& entry);

}  // namespace vantry::cache

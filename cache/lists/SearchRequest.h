#pragma once

#include <cstdint>
#include <string>

#include "cache/services/CurrentEntry.h"
#include "dates/CalendarDate.h"

namespace vantry::cache {

// The request the alphabetical list fills against. The address box and the Find
// command write it; one record lives in the frame for the life of the program.
struct SearchRequest {
  // Modes. A wildcard request is kWildcard plus the three bits below it.
  static constexpr uint32_t kNone = 0;
  static constexpr uint32_t kWildcard = 0x1;
  static constexpr uint32_t kHadDot = 0x2;
  static constexpr uint32_t kNamePattern = 0x4;
  static constexpr uint32_t kExtensionPattern = 0x8;
  static constexpr uint32_t kSubstring = 0x10;
  static constexpr uint32_t kEverything = 0x80;
  static constexpr uint32_t kDateBefore = 0x100;
  static constexpr uint32_t kDateLater = 0x200;
  static constexpr uint32_t kDateExactly = 0x400;
  static constexpr uint32_t kDateBetween = 0x800;

  uint32_t mode = kNone;
  std::string substring;
  std::string extensionPattern;
  std::string namePattern;
  dates::CalendarDate searchDate{};
  dates::CalendarDate fromDate{};
  dates::CalendarDate toDate{};
};

}  // namespace vantry::cache

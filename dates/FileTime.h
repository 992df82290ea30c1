#pragma once

#include <cstdint>

#include "dates/CalendarDate.h"
#include "dates/LocalClock.h"

// Conversions of 64-bit file times: 100-nanosecond units since 1601-01-01 00:00 UTC,
// the time stamps of cache entries and cookie records.
namespace vantry::dates {

// 100-nanosecond units since 1601-01-01 UTC.
using FileTime = std::uint64_t;

// File times of the Unix clock: seconds since 1970 are offset by the 1601 epoch.
inline constexpr FileTime kFileTimeTicksPerSecond = 10'000'000;
inline constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
inline constexpr FileTime kUnixEpochAsFileTime = kSecondsFrom1601To1970 * kFileTimeTicksPerSecond;

// The file time of a moment given in seconds since 1970; 0 for moments before 1601, the
// largest file time for moments past it.
inline FileTime FileTimeFromUnixSeconds(std::int64_t seconds) {
  if (seconds < -kSecondsFrom1601To1970) return 0;
  // Unsigned arithmetic: exact for every value that passed the check above, no overflow.
  const std::uint64_t secondsSince1601 =
      static_cast<std::uint64_t>(seconds) + static_cast<std::uint64_t>(kSecondsFrom1601To1970);
  if (secondsSince1601 > UINT64_MAX / kFileTimeTicksPerSecond) return UINT64_MAX;
  return secondsSince1601 * kFileTimeTicksPerSecond;
}

// Whole seconds since 1970-01-01 UTC, rounded down; negative before 1970.
inline std::int64_t UnixSecondsFromFileTime(FileTime time) {
  return static_cast<std::int64_t>(time / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

// Calendar fields in UTC, without any time zone; defined for every 64-bit value.
CalendarFields FileTimeToUtcFields(std::uint64_t fileTime);

// Calendar fields in local time (time zone and daylight saving as the system decides).
CalendarFields FileTimeToLocalFields(std::uint64_t fileTime);

// The local date and time of day of a file time; formatCode as for CalendarDate.
CalendarDate FileTimeToLocalDate(std::uint64_t fileTime, int formatCode = 0);

// The day number of the local calendar date of a file time.
std::int32_t FileTimeToLocalDayNumber(std::uint64_t fileTime);

}  // namespace vantry::dates

#pragma once

#include <cstdint>

#include "ops/CalendarDate.h"
#include "ops/LocalClock.h"

// Conversions of 64-bit file times: 100-nanosecond units since 1601-01-01 00:00 UTC,
// the time stamps of cache entries and cookie records.
namespace vantry {

inline constexpr std::uint64_t kFileTimeTicksPerSecond = 10'000'000;
inline constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

// Whole seconds since 1970-01-01 UTC, rounded down; negative before 1970.
std::int64_t FileTimeToUnixSeconds(std::uint64_t fileTime);

// The file time of a moment given in seconds since 1970; 0 for moments before 1601.
std::uint64_t FileTimeFromUnixSeconds(std::int64_t unixSeconds);

// Calendar fields in UTC, without any time zone; defined for every 64-bit value.
CalendarFields FileTimeToUtcFields(std::uint64_t fileTime);

// Calendar fields in local time (time zone and daylight saving as the system decides).
CalendarFields FileTimeToLocalFields(std::uint64_t fileTime);

// The local date and time of day of a file time; formatCode as for CalendarDate.
CalendarDate FileTimeToLocalDate(std::uint64_t fileTime, int formatCode = 0);

// The day number of the local calendar date of a file time.
std::int32_t FileTimeToLocalDayNumber(std::uint64_t fileTime);

}  // namespace vantry

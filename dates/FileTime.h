#pragma once

#include <cstdint>

#include "cache/store/CacheEntry.h"
#include "dates/CalendarDate.h"
#include "dates/LocalClock.h"

// Conversions of 64-bit file times: 100-nanosecond units since 1601-01-01 00:00 UTC,
// the time stamps of cache entries and cookie records.
namespace vantry::dates {

using cache::FileTimeFromUnixSeconds;
using cache::UnixSecondsFromFileTime;

// Calendar fields in UTC, without any time zone; defined for every 64-bit value.
CalendarFields FileTimeToUtcFields(std::uint64_t fileTime);

// Calendar fields in local time (time zone and daylight saving as the system decides).
CalendarFields FileTimeToLocalFields(std::uint64_t fileTime);

// The local date and time of day of a file time; formatCode as for CalendarDate.
CalendarDate FileTimeToLocalDate(std::uint64_t fileTime, int formatCode = 0);

// The day number of the local calendar date of a file time.
std::int32_t FileTimeToLocalDayNumber(std::uint64_t fileTime);

}  // namespace vantry::dates

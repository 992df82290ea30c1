#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "cache/store/CacheEntry.h"

namespace vantry::inspect {

// Calendar fields of a file time, in UTC or in the local time zone (TZ decides).
// Nothing when the time does not fit the calendar the C library can represent.
std::optional<std::tm> UtcCalendarTime(cache::FileTime time);
std::optional<std::tm> LocalCalendarTime(cache::FileTime time);

// A converter from file time to calendar fields, so callers can pin the time zone.
using CalendarConverter = std::optional<std::tm> (*)(cache::FileTime);

// "Monday" .. "Sunday" and "January" .. "December", independent of the C locale.
const char* EnglishWeekdayName(int weekday);  // 0 = Sunday, as std::tm counts
const char* EnglishMonthName(int month);      // 0 = January

// "%A, %d. %B %Y" with English names, e.g. "Monday, 31. December 2001".
std::string FormatLongDate(const std::tm& calendar);

}  // namespace vantry::inspect

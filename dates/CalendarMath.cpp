#include "dates/CalendarMath.h"

#include <algorithm>
#include <limits>

namespace vantry::dates {

namespace {

// Cumulative days before each month of a common year.
constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

std::int32_t SaturateToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  const int days = kDaysBeforeMonth[month] - kDaysBeforeMonth[month - 1];
  return month == 2 && IsLeapYear(year) ? days + 1 : days;
}

std::int32_t DayNumberFromDate(int month, int day, int year) {
  // March-based year so that the leap day falls at the end of the counting year.
  const std::int64_t m = month < 3 ? std::int64_t{month} + 12 : month;
  const std::int64_t y = month < 3 ? std::int64_t{year} - 1 : year;
  return SaturateToInt32(day + (153 * m - 457) / 5 + 365 * y + y / 4 - y / 100 + y / 400 + 1721119);
}

MonthDayYear DateFromDayNumber(std::int32_t dayNumber) {
  // Fliegel and Van Flandern; 64-bit intermediates keep 4 * l and 4000 * (l + 1) from overflowing.
  std::int64_t l = std::int64_t{dayNumber} + 68569;
  const std::int64_t n = 4 * l / 146097;
  l = l - (146097 * n + 3) / 4;
  const std::int64_t i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const std::int64_t j = 80 * l / 2447;
  MonthDayYear date;
  date.day = static_cast<int>(l - 2447 * j / 80);
  l = j / 11;
  date.month = static_cast<int>(j + 2 - 12 * l);
  date.year = SaturateToInt32(100 * (n - 49) + i + l);
  return date;
}

int WeekdayOfDayNumber(std::int32_t dayNumber) {
  // The whole part of (day number + 1.5) is day number + 1 for day numbers from 0 up;
  // below 0 the remainder is folded back into 0..6 so it can index the name table.
  const int weekday = static_cast<int>((std::int64_t{dayNumber} + 1) % 7);
  return weekday < 0 ? weekday + 7 : weekday;
}

}  // namespace vantry::dates

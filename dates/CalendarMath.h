#pragma once

#include <cstdint>

// Calendar arithmetic shared by the date value and the file-time conversions:
// Gregorian leap rule, month lengths and Julian day numbers.
namespace vantry::dates {

struct MonthDayYear {
  int month = 0;
  int day = 0;
  int year = 0;
};

bool IsLeapYear(int year);

// Days in the month, February following the leap rule; 0 for a month outside 1..12.
int DaysInMonth(int month, int year);

// Julian day number of a Gregorian date (1 January 2000 is 2451545).
// Computed in 64 bits and saturated to the 32-bit range, so absurd years cannot overflow.
std::int32_t DayNumberFromDate(int month, int day, int year);

// Inverse of DayNumberFromDate for day numbers of dates from year 0 onwards.
MonthDayYear DateFromDayNumber(std::int32_t dayNumber);

// 0 is Sunday; always in 0..6, also for negative day numbers.
int WeekdayOfDayNumber(std::int32_t dayNumber);

}  // namespace vantry::dates

#include "dates/CalendarMath.h"

#include <chrono>
#include <limits>

#include <gtest/gtest.h>

namespace vantry::dates {
namespace {

constexpr std::int32_t kJulianDayOf1970 = 2440588;

TEST(CalendarMath, LeapYearsFollowTheGregorianRule) {
  const struct {
    int year;
    bool leap;
  } rows[] = {{1900, false}, {1996, true},  {2000, true}, {2019, false},
              {2024, true},  {2100, false}, {2400, true}, {0, true}};
  for (const auto& row : rows) EXPECT_EQ(IsLeapYear(row.year), row.leap) << row.year;
}

TEST(CalendarMath, MonthLengths) {
  const struct {
    int month, year, days;
  } rows[] = {{1, 2023, 31}, {2, 2023, 28}, {2, 2024, 29},  {2, 1900, 28},  {2, 2000, 29}, {4, 2023, 30},
              {6, 2023, 30}, {9, 2023, 30}, {11, 2023, 30}, {12, 2023, 31}, {0, 2023, 0},  {13, 2023, 0}};
  for (const auto& row : rows) EXPECT_EQ(DaysInMonth(row.month, row.year), row.days) << row.month << "/" << row.year;
}

TEST(CalendarMath, DayNumbersAndWeekdaysAgreeWithTheStandardCalendar) {
  using namespace std::chrono;
  // From the first day of the Gregorian calendar to well beyond any cache date.
  const sys_days first = year{1582} / October / 15;
  const sys_days last = year{2400} / December / 31;
  for (sys_days d = first; d <= last; d += days{1}) {
    const year_month_day ymd{d};
    const int y = static_cast<int>(ymd.year());
    const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int dd = static_cast<int>(static_cast<unsigned>(ymd.day()));
    const auto expected = static_cast<std::int32_t>(d.time_since_epoch().count() + kJulianDayOf1970);
    ASSERT_EQ(DayNumberFromDate(m, dd, y), expected) << y << "-" << m << "-" << dd;
    const MonthDayYear back = DateFromDayNumber(expected);
    ASSERT_EQ(back.year, y);
    ASSERT_EQ(back.month, m);
    ASSERT_EQ(back.day, dd);
    ASSERT_EQ(WeekdayOfDayNumber(expected), static_cast<int>(weekday{d}.c_encoding()));
  }
}

TEST(CalendarMath, WeekdaysStayInRangeAndAdvanceAcrossZero) {
  for (std::int32_t dayNumber = -30; dayNumber < 30; ++dayNumber) {
    const int weekday = WeekdayOfDayNumber(dayNumber);
    ASSERT_GE(weekday, 0);
    ASSERT_LE(weekday, 6);
    ASSERT_EQ(WeekdayOfDayNumber(dayNumber + 1), (weekday + 1) % 7) << dayNumber;
  }
}

TEST(CalendarMath, LargestYearStillRoundTripsAndHugeYearsSaturate) {
  const std::int32_t lastDay = DayNumberFromDate(12, 31, 5'874'897);
  const MonthDayYear back = DateFromDayNumber(lastDay);
  EXPECT_EQ(back.year, 5'874'897);
  EXPECT_EQ(back.month, 12);
  EXPECT_EQ(back.day, 31);

  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(DayNumberFromDate(12, 31, 5'874'898), kMax);
  EXPECT_EQ(DayNumberFromDate(1, 1, std::numeric_limits<int>::max()), kMax);
  EXPECT_EQ(DayNumberFromDate(1, 1, std::numeric_limits<int>::min()), std::numeric_limits<std::int32_t>::min());
  EXPECT_GT(DateFromDayNumber(kMax).year, 5'874'897);
}

}  // namespace
}  // namespace vantry::dates

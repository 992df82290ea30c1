#include "dates/CalendarDate.h"

#include <array>
#include <memory>

#include <gtest/gtest.h>

#include "testing/TestEnvironment.h"

namespace vantry::dates {
namespace {

constexpr CalendarFields kWednesday6March2024{2024, 3, 6, 14, 5, 9};

struct ParseRow {
  const char* text;
  int formatCode;
  int year, month, day;
  bool valid;
};

TEST(CalendarDate, ParsesByFormatCodeAndCompletesYears) {
  const ParseRow rows[] = {
      {"31.12.99", 2, 1999, 12, 31, true},
      {"31.12.99", 1, 1999, 31, 12, false},
      {"29/02/2000", 2, 2000, 2, 29, true},
      {"29/02/1900", 2, 1900, 2, 29, false},
      {"01/02/03", 1, 2003, 1, 2, true},
      {"01/02/03", 2, 2003, 2, 1, true},
      {"12-31-2019", 1, 2019, 12, 31, true},
      {"12-31-2019", 3, 2019, 12, 31, true},
      {"31-12-2019", 4, 2019, 12, 31, true},
      {"12-31-19", 1, 2019, 12, 31, true},
      {"12-31-20", 1, 1920, 12, 31, true},
      {"1/1/05", 1, 2005, 1, 1, true},
      {"1/1/78", 1, 1978, 1, 1, true},
      {"1/1/0", 1, 2000, 1, 1, true},
      {"1/1/100", 1, 100, 1, 1, true},
      // One separator: no third token, so the year 0 completes to 2000.
      {"01/0203", 1, 2000, 1, 203, false},
      {"003/01", 2, 2000, 1, 3, true},
      {"2019-12-31", 5, 2019, 12, 31, true},
      {"99.1.2", 6, 1999, 1, 2, true},
      {"12/31/2019", 7, 0, 0, 0, false},
      {"12/31/2019", -1, 0, 0, 0, false},
      // Tokens count only their leading digits.
      {"ab/12/2019", 1, 2019, 0, 12, false},
      {"12x/31y/2019z", 1, 2019, 12, 31, true},
      {" 12/31/2019", 1, 2019, 0, 31, false},
      {"", 1, 2000, 0, 0, false},
      {"12/31/99999999999999999999", 1, 999'999'999, 12, 31, false},
      {"12/31/5874897", 1, 5'874'897, 12, 31, true},
      {"1/1/5874898", 1, 5'874'898, 1, 1, false},
  };
  for (const ParseRow& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.text << " code " << row.formatCode);
    const CalendarDate date(row.text, row.formatCode);
    EXPECT_EQ(date.IsValid(), row.valid);
    // The day number is computed from the parsed fields whether or not they are valid.
    EXPECT_EQ(date.DayNumber(), date.DayNumberOf(row.month, row.day, row.year));
    int month = -1, day = -1, year = -1;
    date.GetMonthDayYear(month, day, year);
    if (row.valid) {
      EXPECT_EQ(year, row.year);
      EXPECT_EQ(month, row.month);
      EXPECT_EQ(day, row.day);
    } else {
      EXPECT_EQ(year, -1);
      EXPECT_EQ(date.Year(), 0);
      EXPECT_EQ(date.Month(), 0);
      EXPECT_EQ(date.Day(), 0);
    }
  }
}

TEST(CalendarDate, FormatCodeZeroFollowsTheStoredPreference) {
  {
    const CalendarDate date("31.12.99");
    EXPECT_EQ(date.FormatCode(), 1);
    EXPECT_FALSE(date.IsValid());
  }
  const testing::StoredDateFormat ddmmyy(1);
  const CalendarDate date("31.12.99");
  EXPECT_EQ(date.FormatCode(), 2);
  EXPECT_TRUE(date.IsValid());
  EXPECT_EQ(date.Year(), 1999);
}

TEST(CalendarDate, AccessorsOfAnInvalidDateAreZeroAndOutParametersUntouched) {
  const testing::FixedClock clock(kWednesday6March2024);
  CalendarDate date("13/01/2020", 1);
  ASSERT_FALSE(date.IsValid());
  EXPECT_EQ(date.Weekday(), 0);
  EXPECT_EQ(date.Hour24(), 0);
  EXPECT_EQ(date.Minute(), 0);
  EXPECT_EQ(date.Second(), 0);
  EXPECT_EQ(date.LongTimeText(true), "");
  EXPECT_EQ(date.ShortTimeText(true), "");
  EXPECT_EQ(date.WeekdayName(), "");
  int month = 7, day = 8, year = 9;
  date.GetMonthDayYear(month, day, year);
  EXPECT_EQ(month, 7);
  EXPECT_EQ(day, 8);
  EXPECT_EQ(year, 9);
}

TEST(CalendarDate, DayNumberAndWeekdayOfFirstJanuary2000) {
  CalendarDate date("01/01/2000", 1);
  EXPECT_EQ(date.DayNumber(), 2451545);
  EXPECT_EQ(date.Weekday(), 6);
  EXPECT_EQ(date.WeekdayName(), "Saturday");
  EXPECT_EQ(date.Text(), "Saturday");
}

TEST(CalendarDate, DayNumberConvertsBothWays) {
  CalendarDate date("02/29/2024", 1);
  int month = 0, day = 0, year = 0;
  date.MonthDayYearOf(date.DayNumberOf(12, 31, 1999) + 1, month, day, year);
  EXPECT_EQ(month, 1);
  EXPECT_EQ(day, 1);
  EXPECT_EQ(year, 2000);
  date.SubtractDays(-1);
  EXPECT_EQ(date.DayNumber(), date.DayNumberOf(3, 1, 2024));
  EXPECT_EQ(date.Month(), 3);
  EXPECT_EQ(date.Day(), 1);
}

TEST(CalendarDate, ClampsTheDayToItsMonth) {
  const struct {
    const char* text;
    int length, day;
  } rows[] = {{"02/31/2000", 29, 29},
              {"02/31/2001", 28, 28},
              {"04/31/2001", 30, 30},
              {"01/15/2001", 31, 15},
              {"13/40/2001", 0, 0}};
  for (const auto& row : rows) {
    CalendarDate date(row.text, 1);
    EXPECT_EQ(date.ClampDayToMonth(), row.length) << row.text;
    if (row.length > 0) {
      date.ComputeDayNumber();
      EXPECT_EQ(date.Day(), row.day) << row.text;
    } else {
      EXPECT_FALSE(date.IsValid());
    }
  }
}

struct TimeRow {
  int hour, minute, second;
  int formatCode;
  bool withSuffix;
  const char* longText;
  const char* shortText;
  int hour24;
};

TEST(CalendarDate, TimeTextsPerFormatCode) {
  const TimeRow rows[] = {
      {14, 5, 9, 1, true, "02:05:09   PM", "02:05 PM", 14},   {14, 5, 9, 1, false, "02:05:09   ", "02:05 ", 14},
      {14, 5, 9, 3, true, "02:05:09   PM", "02:05 PM", 14},   {14, 5, 9, 5, true, "02:05:09   PM", "02:05 PM", 14},
      {14, 5, 9, 2, true, "14:05:09", "14:05 ", 14},          {14, 5, 9, 4, false, "14:05:09", "14:05 ", 14},
      {0, 7, 3, 1, true, "12:07:03   AM", "12:07 AM", 0},     {0, 7, 3, 2, true, "00:07:03", "00:07 ", 0},
      {12, 0, 0, 1, true, "12:00:00   PM", "12:00 PM", 12},   {12, 0, 0, 4, true, "12:00:00", "12:00 ", 12},
      {11, 59, 59, 3, true, "11:59:59   AM", "11:59 AM", 11}, {23, 59, 59, 1, true, "11:59:59   PM", "11:59 PM", 23},
      {23, 59, 59, 2, true, "23:59:59", "23:59 ", 23},
  };
  for (const TimeRow& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.hour << ":" << row.minute << " code " << row.formatCode);
    const testing::FixedClock clock({2024, 3, 6, row.hour, row.minute, row.second});
    CalendarDate date(row.formatCode);
    EXPECT_EQ(date.Hour24(), row.hour24);
    EXPECT_EQ(date.Minute(), row.minute);
    EXPECT_EQ(date.Second(), row.second);
    EXPECT_EQ(date.LongTimeText(row.withSuffix), row.longText);
    EXPECT_EQ(date.Text(), row.longText);
    EXPECT_EQ(date.ShortTimeText(row.withSuffix), row.shortText);
    EXPECT_EQ(date.Text(), row.shortText);
    EXPECT_EQ(date.Hour24(), row.hour24) << "formatting must not change the stored hour";
  }
}

TEST(CalendarDate, CopiedTimeTextsStayInsideTheBufferAndEndWithNul) {
  const testing::FixedClock clock(kWednesday6March2024);
  CalendarDate date(1);
  const struct {
    std::size_t size;
    const char* longText;
    const char* shortText;
  } rows[] = {{1, "", ""},
              {3, "02", "02"},
              {9, "02:05:09", "02:05 PM"},
              {14, "02:05:09   PM", "02:05 PM"},
              {32, "02:05:09   PM", "02:05 PM"}};
  for (const auto& row : rows) {
    std::array<char, 40> storage;
    storage.fill('#');
    date.CopyLongTimeText(std::span<char>(storage.data(), row.size), true);
    EXPECT_STREQ(storage.data(), row.longText) << row.size;
    EXPECT_EQ(storage[row.size], '#') << "wrote past the buffer of " << row.size;

    storage.fill('#');
    date.CopyShortTimeText(std::span<char>(storage.data(), row.size), true);
    EXPECT_STREQ(storage.data(), row.shortText) << row.size;
    EXPECT_EQ(storage[row.size], '#') << "wrote past the buffer of " << row.size;
  }
  std::array<char, 4> untouched{'#', '#', '#', '#'};
  date.CopyLongTimeText(std::span<char>(untouched.data(), 0), true);
  EXPECT_EQ(untouched[0], '#');
}

TEST(CalendarDate, TodayComesFromTheInstalledClock) {
  auto clock = std::make_unique<testing::FixedClock>(kWednesday6March2024);
  CalendarDate today;
  EXPECT_EQ(today.Year(), 2024);
  EXPECT_EQ(today.Month(), 3);
  EXPECT_EQ(today.Day(), 6);
  EXPECT_EQ(today.DayNumber(), today.DayNumberOf(3, 6, 2024));
  EXPECT_EQ(today.WeekdayName(), "Wednesday");
  EXPECT_EQ(today.Hour24(), 14);

  CalendarDate date("01/01/2000", 1);
  date.SetToday();
  EXPECT_TRUE(date == today);

  clock.reset();
  clock = std::make_unique<testing::FixedClock>(CalendarFields{2024, 3, 7, 9, 0, 0});
  date.SetToday();
  EXPECT_EQ(date.Day(), 7);
  EXPECT_EQ(date.DayNumber(), today.DayNumber() + 1);
  EXPECT_EQ(date.Hour24(), 14) << "SetToday leaves the time of day alone";
  date.SetTimeFromClock();
  EXPECT_EQ(date.Hour24(), 9);
}

TEST(CalendarDate, SetFromTextKeepsTheDayNumberInStep) {
  CalendarDate date("01/01/2000", 1);
  date.SetFromText("12/31/2019");
  EXPECT_EQ(date.DayNumber(), date.DayNumberOf(12, 31, 2019));
  EXPECT_TRUE(date == CalendarDate("12-31-2019", 1));
}

TEST(CalendarDate, AgeInWholeYears) {
  const testing::FixedClock clock({2024, 3, 1, 12, 0, 0});
  const struct {
    const char* text;
    int age;
  } rows[] = {{"03/01/2000", 24}, {"03/02/2000", 23}, {"02/29/2024", 0},  {"03/01/2024", 0},
              {"03/02/2024", 0},  {"03/01/2023", 1},  {"01/01/1900", 124}};
  for (const auto& row : rows) EXPECT_EQ(CalendarDate(row.text, 1).AgeInYears(), row.age) << row.text;
}

TEST(CalendarDate, EqualityAndNotLaterThanCompareDayNumbers) {
  const CalendarDate first("01/01/2020", 1);
  const CalendarDate sameDayOtherFormat("01.01.2020", 2);
  const CalendarDate later("01/02/2020", 1);
  const CalendarDate invalid("13/01/2020", 1);
  const struct {
    const CalendarDate& left;
    const CalendarDate& right;
    bool equal, notLater;
  } rows[] = {{first, sameDayOtherFormat, true, true}, {first, later, false, true},      {later, first, false, false},
              {invalid, first, false, false},          {invalid, invalid, false, false}, {first, invalid, false, true}};
  for (const auto& row : rows) {
    EXPECT_EQ(row.left == row.right, row.equal);
    EXPECT_EQ(row.left.IsNotLaterThan(row.right), row.notLater);
  }
}

TEST(CalendarDate, AssignmentCopiesTheDateButNotTimeOrText) {
  const testing::FixedClock morning({2024, 3, 6, 8, 0, 0});
  CalendarDate target("01/01/2000", 1);
  target.WeekdayName();
  {
    const testing::FixedClock evening({2024, 3, 6, 22, 30, 0});
    const CalendarDate source("31.12.2019", 2);
    target = source;
    EXPECT_TRUE(target == source);
    EXPECT_EQ(target.FormatCode(), 2);
  }
  EXPECT_EQ(target.Text(), "Saturday");
  EXPECT_EQ(target.Hour24(), 8);

  const CalendarDate sameDay("12/31/2019", 3);
  target = sameDay;
  EXPECT_EQ(target.FormatCode(), 2) << "an equal date is left as it is";

  CalendarDate invalid("13/13/2019", 1);
  invalid = sameDay;
  EXPECT_TRUE(invalid.IsValid());
  EXPECT_EQ(invalid.FormatCode(), 3);
}

TEST(CalendarDate, SubtractingDaysCrossesMonthsYearsAndLeapDays) {
  const struct {
    const char* start;
    int days;
    const char* expected;
  } rows[] = {{"03/01/2024", 1, "02/29/2024"}, {"03/01/2023", 1, "02/28/2023"},  {"03/01/2024", 366, "03/01/2023"},
              {"01/01/2000", 1, "12/31/1999"}, {"12/31/1999", -1, "01/01/2000"}, {"06/15/2020", 0, "06/15/2020"}};
  for (const auto& row : rows) {
    CalendarDate date(row.start, 1);
    date.SubtractDays(row.days);
    const CalendarDate expected(row.expected, 1);
    EXPECT_EQ(date.Year(), expected.Year()) << row.start << " - " << row.days;
    EXPECT_EQ(date.Month(), expected.Month()) << row.start << " - " << row.days;
    EXPECT_EQ(date.Day(), expected.Day()) << row.start << " - " << row.days;
    EXPECT_EQ(date.DayNumber(), expected.DayNumber());
  }
}

TEST(CalendarDate, SteppingBackFromTodayNamesThePreviousSixDays) {
  const testing::FixedClock clock(kWednesday6March2024);
  CalendarDate day;
  const char* const expected[] = {"Tuesday", "Monday", "Sunday", "Saturday", "Friday", "Thursday"};
  for (const char* name : expected) {
    day.SubtractDays(1);
    EXPECT_EQ(day.WeekdayName(), name);
  }
  EXPECT_EQ(day.Day(), 29);
  EXPECT_EQ(day.Month(), 2);
}

}  // namespace
}  // namespace vantry::dates

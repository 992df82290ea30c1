#include "dates/FileTime.h"

#include <limits>

#include <gtest/gtest.h>

#include "dates/CalendarMath.h"
#include "testing/TestEnvironment.h"

namespace vantry::dates {
namespace {

constexpr std::uint64_t kUnixEpoch = 116'444'736'000'000'000;
constexpr std::uint64_t kMaxFileTime = std::numeric_limits<std::uint64_t>::max();

bool SameFields(const CalendarFields& a, const CalendarFields& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second;
}

::testing::AssertionResult FieldsAre(const CalendarFields& actual, const CalendarFields& expected) {
  if (SameFields(actual, expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual.year << "-" << actual.month << "-" << actual.day << " " << actual.hour
                                       << ":" << actual.minute << ":" << actual.second;
}

TEST(FileTime, UtcFieldsAcrossTheWholeRange) {
  const struct {
    std::uint64_t fileTime;
    CalendarFields expected;
  } rows[] = {
      {0, {1601, 1, 1, 0, 0, 0}},
      {9'999'999, {1601, 1, 1, 0, 0, 0}},
      {10'000'000, {1601, 1, 1, 0, 0, 1}},
      {864'000'000'000, {1601, 1, 2, 0, 0, 0}},
      {kUnixEpoch - 10'000'000, {1969, 12, 31, 23, 59, 59}},
      {kUnixEpoch, {1970, 1, 1, 0, 0, 0}},
      {kUnixEpoch + 9'999'999, {1970, 1, 1, 0, 0, 0}},
      {125'962'992'000'000'000, {2000, 2, 29, 12, 0, 0}},
      {126'542'826'120'000'000, {2001, 12, 31, 14, 30, 12}},
      {137'919'572'470'000'000, {2038, 1, 19, 3, 14, 7}},
      {137'919'572'480'000'000, {2038, 1, 19, 3, 14, 8}},
      {kMaxFileTime, {60056, 5, 28, 5, 36, 10}},
  };
  for (const auto& row : rows) EXPECT_TRUE(FieldsAre(FileTimeToUtcFields(row.fileTime), row.expected)) << row.fileTime;
}

TEST(FileTime, UnixSecondsRoundDownAndConvertBack) {
  const struct {
    std::uint64_t fileTime;
    std::int64_t unixSeconds;
  } rows[] = {
      {0, -11'644'473'600},
      {kUnixEpoch - 1, -1},
      {kUnixEpoch, 0},
      {kUnixEpoch + 9'999'999, 0},
      {137'919'572'470'000'000, 2'147'483'647},
      {kMaxFileTime, 1'844'674'407'370 - 11'644'473'600},
  };
  for (const auto& row : rows) EXPECT_EQ(UnixSecondsFromFileTime(row.fileTime), row.unixSeconds) << row.fileTime;

  const struct {
    std::int64_t unixSeconds;
    std::uint64_t fileTime;
  } back[] = {
      {0, kUnixEpoch},
      {-1, kUnixEpoch - 10'000'000},
      {-11'644'473'600, 0},
      {-11'644'473'601, 0},
      {std::numeric_limits<std::int64_t>::min(), 0},
      {2'147'483'647, 137'919'572'470'000'000},
      {std::numeric_limits<std::int64_t>::max(), kMaxFileTime},
  };
  for (const auto& row : back)
    EXPECT_EQ(FileTimeFromUnixSeconds(row.unixSeconds), row.fileTime) << row.unixSeconds;
}

TEST(FileTime, LocalFieldsFollowTheTimeZone) {
  const struct {
    const char* zone;
    std::uint64_t fileTime;
    CalendarFields expected;
  } rows[] = {
      {"UTC0", kUnixEpoch, {1970, 1, 1, 0, 0, 0}},
      {"UTC0", 0, {1601, 1, 1, 0, 0, 0}},
      {"EST5", kUnixEpoch, {1969, 12, 31, 19, 0, 0}},
      {"JST-9", kUnixEpoch - 10'000'000, {1970, 1, 1, 8, 59, 59}},
      // 2024-07-01 22:30 UTC is already 2 July in central European summer time.
      {"CET-1CEST,M3.5.0,M10.5.0/3", FileTimeFromUnixSeconds(1'719'873'000), {2024, 7, 2, 0, 30, 0}},
      // 2024-01-15 22:30 UTC: winter time, still 15 January.
      {"CET-1CEST,M3.5.0,M10.5.0/3", FileTimeFromUnixSeconds(1'705'357'800), {2024, 1, 15, 23, 30, 0}},
  };
  for (const auto& row : rows) {
    const testing::TimeZone zone(row.zone);
    EXPECT_TRUE(FieldsAre(FileTimeToLocalFields(row.fileTime), row.expected)) << row.zone << " " << row.fileTime;
    EXPECT_EQ(FileTimeToLocalDayNumber(row.fileTime),
              DayNumberFromDate(row.expected.month, row.expected.day, row.expected.year));
  }
}

TEST(FileTime, LocalDateCarriesDateAndTimeOfDay) {
  const testing::TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  CalendarDate date = FileTimeToLocalDate(FileTimeFromUnixSeconds(1'719'873'000), 2);
  EXPECT_TRUE(date.IsValid());
  EXPECT_EQ(date.Year(), 2024);
  EXPECT_EQ(date.Month(), 7);
  EXPECT_EQ(date.Day(), 2);
  EXPECT_EQ(date.FormatCode(), 2);
  EXPECT_EQ(date.LongTimeText(false), "00:30:00");
  EXPECT_EQ(date.WeekdayName(), "Tuesday");
}

TEST(LocalClock, EmptyClockRestoresTheSystemClock) {
  {
    const testing::FixedClock clock({1999, 12, 31, 23, 59, 59});
    EXPECT_EQ(ReadLocalClock().year, 1999);
  }
  EXPECT_GE(ReadLocalClock().year, 2024);
}

}  // namespace
}  // namespace vantry::dates

#include "dates/FileTime.h"

#include "dates/CalendarMath.h"

namespace vantry::dates {

namespace {

constexpr std::uint64_t kSecondsPerDay = 86'400;

// Day number of 1601-01-01, the first day of file time.
constexpr std::int32_t kFileTimeEpochDayNumber = 2'305'814;

}  // namespace

CalendarFields FileTimeToUtcFields(std::uint64_t fileTime) {
  const std::uint64_t seconds = fileTime / kFileTimeTicksPerSecond;
  const auto secondOfDay = static_cast<int>(seconds % kSecondsPerDay);
  // At most about 21 million days, so the day number stays far inside 32 bits.
  const auto days = static_cast<std::int32_t>(seconds / kSecondsPerDay);
  const MonthDayYear date = DateFromDayNumber(kFileTimeEpochDayNumber + days);
  return {date.year, date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60};
}

CalendarFields FileTimeToLocalFields(std::uint64_t fileTime) {
  return LocalFieldsOfUnixSeconds(UnixSecondsFromFileTime(fileTime));
}

CalendarDate FileTimeToLocalDate(std::uint64_t fileTime, int formatCode) {
  const CalendarFields local = FileTimeToLocalFields(fileTime);
  CalendarDate date(formatCode);
  date.SetDate(local.year, local.month, local.day);
  date.SetTimeOfDay(local.hour, local.minute, local.second);
  return date;
}

std::int32_t FileTimeToLocalDayNumber(std::uint64_t fileTime) {
  const CalendarFields local = FileTimeToLocalFields(fileTime);
  return DayNumberFromDate(local.month, local.day, local.year);
}

}  // namespace vantry::dates

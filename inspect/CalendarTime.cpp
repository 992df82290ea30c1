#include "inspect/CalendarTime.h"

#include <cstdio>

namespace vantry::inspect {

namespace {

// File times span 1601 to 60056; time_t covers that on every 64-bit Linux, but keep
// the check so a 32-bit time_t cannot overflow silently.
std::optional<time_t> UnixTimeOf(cache::FileTime time) {
  int64_t seconds = cache::UnixSecondsFromFileTime(time);
  auto unix = static_cast<time_t>(seconds);
  if (static_cast<int64_t>(unix) != seconds) return std::nullopt;
  return unix;
}

}  // namespace

std::optional<std::tm> UtcCalendarTime(cache::FileTime time) {
  std::optional<time_t> unix = UnixTimeOf(time);
  std::tm calendar{};
  if (!unix || gmtime_r(&*unix, &calendar) == nullptr) return std::nullopt;
  return calendar;
}

std::optional<std::tm> LocalCalendarTime(cache::FileTime time) {
  std::optional<time_t> unix = UnixTimeOf(time);
  std::tm calendar{};
  if (!unix) return std::nullopt;
  tzset();
  if (localtime_r(&*unix, &calendar) == nullptr) return std::nullopt;
  return calendar;
}

const char* EnglishWeekdayName(int weekday) {
  static const char* const kNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return weekday >= 0 && weekday < 7 ? kNames[weekday] : "";
}

const char* EnglishMonthName(int month) {
  static const char* const kNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
  return month >= 0 && month < 12 ? kNames[month] : "";
}

std::string FormatLongDate(const std::tm& calendar) {
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d. %s %04d", EnglishWeekdayName(calendar.tm_wday), calendar.tm_mday,
                EnglishMonthName(calendar.tm_mon), calendar.tm_year + 1900);
  return text;
}

}  // namespace vantry::inspect

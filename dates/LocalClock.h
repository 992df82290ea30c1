#pragma once

#include <cstdint>
#include <functional>

// Where dates learn "now". The system's local clock by default; tests replace it
// so that today, ages and history buckets do not depend on when they run.
namespace vantry::dates {

struct CalendarFields {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

using LocalClock = std::function<CalendarFields()>;

// An empty function restores the system's local clock.
void SetLocalClock(LocalClock clock);

// The current local date and time of the installed clock.
CalendarFields ReadLocalClock();

// Seconds since 1970-01-01 UTC as local calendar fields (time zone and daylight
// saving as the system decides them); all zeros when the system cannot represent it.
CalendarFields LocalFieldsOfUnixSeconds(std::int64_t unixSeconds);

}  // namespace vantry::dates

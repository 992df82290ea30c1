#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "dates/DateFormatPreference.h"
#include "dates/LocalClock.h"

// Scoped overrides of the process-wide inputs of the date code, restored on exit.
namespace vantry::testing {

class FixedClock {
 public:
  explicit FixedClock(dates::CalendarFields now) {
    dates::SetLocalClock([now] { return now; });
  }
  ~FixedClock() { dates::SetLocalClock({}); }
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;
};

class StoredDateFormat {
 public:
  explicit StoredDateFormat(int storedValue) : previous_(dates::DateFormatPreference()) {
    dates::SetDateFormatPreference(storedValue);
  }
  ~StoredDateFormat() { dates::SetDateFormatPreference(previous_); }
  StoredDateFormat(const StoredDateFormat&) = delete;
  StoredDateFormat& operator=(const StoredDateFormat&) = delete;

 private:
  int previous_;
};

// Time zones are given as POSIX rules so that no zone database is needed.
class TimeZone {
 public:
  explicit TimeZone(const char* posixRule) {
    if (const char* current = std::getenv("TZ")) previous_ = current;
    setenv("TZ", posixRule, 1);
    tzset();
  }
  ~TimeZone() {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace vantry::testing

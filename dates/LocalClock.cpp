#include "dates/LocalClock.h"

#include <ctime>
#include <mutex>

namespace vantry::dates {

namespace {

std::mutex gClockMutex;
LocalClock gClock;

}  // namespace

void SetLocalClock(LocalClock clock) {
  const std::lock_guard lock(gClockMutex);
  gClock = std::move(clock);
}

CalendarFields ReadLocalClock() {
  LocalClock clock;
  {
    const std::lock_guard lock(gClockMutex);
    clock = gClock;
  }
  if (clock) return clock();
  return LocalFieldsOfUnixSeconds(std::time(nullptr));
}

CalendarFields LocalFieldsOfUnixSeconds(std::int64_t unixSeconds) {
  const std::time_t seconds = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace vantry::dates

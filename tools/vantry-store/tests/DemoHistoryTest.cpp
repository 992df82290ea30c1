#include "tools/vantry-store/DemoHistory.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "tools/vantry-store/tests/StoreToolTestSupport.h"

namespace vantry::storetool {

namespace {

// The age folder (1 to 15) of a history visit; 0 for a visit after today.
int AgeFolder(int64_t now, int64_t when) {
  auto local = [](int64_t seconds) {
    time_t t = static_cast<time_t>(seconds);
    tm fields{};
    localtime_r(&t, &fields);
    return fields;
  };
  tm today = local(now), entry = local(when);
  int todayMonth = (today.tm_year + 1900) * 12 + today.tm_mon + 1,
      month = (entry.tm_year + 1900) * 12 + entry.tm_mon + 1;
  int todayDay = todayMonth * 31 + today.tm_mday, day = month * 31 + entry.tm_mday;
  if (month < todayMonth - 4) return 15;
  if (month < todayMonth - 3) return 14;
  if (month < todayMonth - 2) return 13;
  if (month < todayMonth - 1) return 12;
  if (day < todayDay - 28) return 11;
  if (day < todayDay - 21) return 10;
  if (day < todayDay - 14) return 9;
  if (day < todayDay - 7) return 8;
  for (int folder = 7, distance = 6; distance >= 2; --folder, --distance)
    if (day <= todayDay - distance) return folder;
  if (day == todayDay - 1) return 2;
  return day == todayDay ? 1 : 0;
}

// Noon of the local calendar day `days` days before the date of `now`.
int64_t NoonDaysBack(int64_t now, int days) {
  time_t t = static_cast<time_t>(now);
  tm fields{};
  localtime_r(&t, &fields);
  return LocalTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday - days, 12, 0);
}

TEST(DemoHistoryTest, VisitsReachEveryAgeFolderThatADateCanReach) {
  const int64_t nows[] = {
      LocalTime(2026, 12, 7, 12, 0),  LocalTime(2027, 3, 1, 0, 30),   LocalTime(2027, 3, 31, 23, 50),
      LocalTime(2028, 3, 1, 9, 0),    LocalTime(2027, 1, 1, 0, 0),    LocalTime(2026, 7, 31, 18, 0),
      LocalTime(2027, 10, 31, 2, 30), LocalTime(2027, 5, 15, 23, 59),
  };
  for (int64_t now : nows) {
    std::set<int> reachable, reached;
    for (int day = 0; day < 250; ++day) reachable.insert(AgeFolder(now, std::min(now, NoonDaysBack(now, day))));
    reachable.erase(0);
    std::set<std::string> addresses;
    for (const DemoVisit& visit : DemoVisits(now, {"http://a/", "http://b/"})) {
      EXPECT_LE(visit.when, now);
      EXPECT_GE(visit.when, now - 190 * 86400);
      reached.insert(AgeFolder(now, visit.when));
      addresses.insert(visit.address);
    }
    EXPECT_EQ(reached, reachable) << "now " << now;
    EXPECT_GE(std::count_if(reached.begin(), reached.end(), [](int f) { return f >= 8; }), 8) << now;
    EXPECT_TRUE(addresses.count("http://a/") && addresses.count("http://b/"));
  }
  // In the middle of a month every one of the fifteen folders gets visits.
  std::set<int> reached;
  int64_t midMonth = LocalTime(2026, 12, 17, 12, 0);
  for (const DemoVisit& visit : DemoVisits(midMonth, {})) reached.insert(AgeFolder(midMonth, visit.when));
  EXPECT_EQ(reached.size(), 15u);
  EXPECT_FALSE(reached.count(0));
}

TEST(DemoHistoryTest, AgeFolderFollowsTheCalendarRules) {
  int64_t now = LocalTime(2027, 3, 31, 12, 0);
  struct Case {
    int64_t when;
    int folder;
  };
  const Case cases[] = {
      {LocalTime(2027, 3, 31, 0, 0), 1},   {LocalTime(2027, 3, 30, 23, 59), 2}, {LocalTime(2027, 3, 24, 12, 0), 7},
      {LocalTime(2027, 3, 23, 12, 0), 8},  {LocalTime(2027, 3, 1, 12, 0), 11},  {LocalTime(2027, 2, 1, 12, 0), 11},
      {LocalTime(2027, 1, 31, 12, 0), 12}, {LocalTime(2026, 10, 1, 12, 0), 15}, {LocalTime(2027, 4, 1, 12, 0), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(AgeFolder(now, c.when), c.folder) << c.when;
}

}  // namespace

}  // namespace vantry::storetool

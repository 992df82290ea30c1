#include "tools/vantry-store/DemoHistory.h"

#include <algorithm>
#include <ctime>

namespace vantry::storetool {

namespace {

// Day by day through the first week, whose folders hold one or two days each; every older
// age folder spans at least three consecutive calendar days, so a visit every third day
// reaches each of them.
constexpr int kDailyDays = 7;
constexpr int kLastDay = 186;
constexpr int kSparseStep = 3;

// Local midnight of the calendar day `daysBack` days before the local date of `now`.
int64_t LocalMidnight(int64_t now, int daysBack) {
  time_t seconds = static_cast<time_t>(now);
  tm local{};
  localtime_r(&seconds, &local);
  local.tm_mday -= daysBack;
  local.tm_hour = local.tm_min = local.tm_sec = 0;
  local.tm_isdst = -1;
  return static_cast<int64_t>(mktime(&local));
}

std::string ArchivePage(int day) {
  if (day % 2 == 0) return "http://www.vantry-demo.example/news.asp?id=" + std::to_string(2000 - day);
  return "http://shop.vantry-demo.example/catalog/lamps/item.asp?id=" + std::to_string(100 + day);
}

}  // namespace

std::vector<DemoVisit> DemoVisits(int64_t now, const std::vector<std::string>& pages) {
  std::vector<int> days = {0, 0, 0};
  for (int day = 1; day <= kDailyDays; ++day) days.push_back(day);
  for (int day = kDailyDays + kSparseStep; day <= kLastDay; day += kSparseStep) days.push_back(day);

  std::vector<DemoVisit> visits;
  int64_t today = LocalMidnight(now, 0);
  for (size_t i = 0; i < days.size(); ++i) {
    int day = days[i];
    DemoVisit visit;
    visit.address = i < pages.size() ? pages[i] : ArchivePage(day);
    if (day == 0) {
      // Today's visits lie between midnight and now, however early now is.
      visit.when = std::max(today, now - static_cast<int64_t>(i) * 2400 - 300);
    } else {
      int64_t hour = 8 + (day * 7) % 13, minute = (day * 17) % 60;
      visit.when = LocalMidnight(now, day) + hour * 3600 + minute * 60;
    }
    visit.visitCount = 1 + static_cast<uint32_t>(day % 5);
    visits.push_back(std::move(visit));
  }
  return visits;
}

}  // namespace vantry::storetool

#include "inspect/history/AgeFolders.h"

#include "dates/CalendarDate.h"

namespace vantry::inspect {

namespace {

long MonthIndex(const dates::CalendarFields& date) { return static_cast<long>(date.year) * 12 + date.month; }
long DayIndex(const dates::CalendarFields& date) { return MonthIndex(date) * 31 + date.day; }

// Folders whose visits are at least `monthsBelow` month indexes older than today.
struct MonthRule {
  long monthsBelow;
  int folder;
};
constexpr MonthRule kMonthRules[] = {{5, 14}, {4, 13}, {3, 12}, {2, 11}};

// Folders whose visits are at least `daysBelow` day indexes older than today.
struct DayRule {
  long daysBelow;
  int folder;
};
constexpr DayRule kDayRules[] = {{29, 10}, {22, 9}, {15, 8}, {8, 7}, {6, 6}, {5, 5}, {4, 4}, {3, 3}, {2, 2}};

}  // namespace

std::array<std::string, kAgeFolderCount> AgeFolderLabels(const dates::CalendarFields& today) {
  std::array<std::string, kAgeFolderCount> labels = {"today",
                                                     "",
                                                     "",
                                                     "",
                                                     "",
                                                     "",
                                                     "",
                                                     "1 week ago",
                                                     "2 weeks ago",
                                                     "3 weeks ago",
                                                     "4 weeks ago",
                                                     "1 month ago",
                                                     "2 months ago",
                                                     "3 months ago",
                                                     "older than 3 months"};
  dates::CalendarDate day;
  day.SetDate(today.year, today.month, today.day);
  for (int folder = 1; folder <= 6; ++folder) {
    day.SubtractDays(1);
    labels[folder] = day.WeekdayName();
  }
  return labels;
}

std::optional<int> AgeFolderOf(const dates::CalendarFields& visit, const dates::CalendarFields& today) {
  long monthsBelow = MonthIndex(today) - MonthIndex(visit);
  for (const MonthRule& rule : kMonthRules)
    if (monthsBelow >= rule.monthsBelow) return rule.folder;
  long daysBelow = DayIndex(today) - DayIndex(visit);
  for (const DayRule& rule : kDayRules)
    if (daysBelow >= rule.daysBelow) return rule.folder;
  if (daysBelow == 1) return 1;
  if (daysBelow == 0) return 0;
  return std::nullopt;
}

std::string_view HistoryItemText(std::string_view key) {
  size_t at = key.find('@');
  return at == std::string_view::npos ? key : key.substr(at + 1);
}

}  // namespace vantry::inspect

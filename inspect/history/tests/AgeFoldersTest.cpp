#include "inspect/history/AgeFolders.h"

#include <gtest/gtest.h>

namespace vantry::inspect {

namespace {

dates::CalendarFields Date(int year, int month, int day) { return {year, month, day, 0, 0, 0}; }

struct FolderCase {
  dates::CalendarFields today;
  dates::CalendarFields visit;
  std::optional<int> folder;  // 0 is "today", 14 "older than 3 months"
};

}  // namespace

TEST(AgeFoldersTest, VisitsGoToTheFolderOfTheirDayAndMonthIndexes) {
  const FolderCase cases[] = {
      {Date(2024, 3, 15), Date(2024, 3, 15), 0},
      {Date(2024, 3, 15), Date(2024, 3, 14), 1},
      {Date(2024, 3, 15), Date(2024, 3, 13), 2},
      {Date(2024, 3, 15), Date(2024, 3, 10), 5},
      {Date(2024, 3, 15), Date(2024, 3, 9), 6},
      {Date(2024, 3, 15), Date(2024, 3, 8), 6},  // 7 below: still the sixth weekday folder
      {Date(2024, 3, 15), Date(2024, 3, 7), 7},  // 8 below: "1 week ago"
      {Date(2024, 3, 15), Date(2024, 3, 1), 7},
      {Date(2024, 3, 15), Date(2024, 2, 29), 8},  // 17 index units below
      {Date(2024, 3, 1), Date(2024, 2, 29), 3},
      {Date(2024, 3, 1), Date(2024, 2, 28), 4},  // 4 index units below on the 1st of March
      {Date(2024, 2, 1), Date(2024, 1, 31), 1},
      {Date(2024, 5, 1), Date(2024, 4, 30), 2},  // yesterday was a 30th
      {Date(2024, 1, 2), Date(2023, 12, 31), 2},
      {Date(2024, 3, 31), Date(2024, 3, 1), 10},   // 30 units below: "4 weeks ago"
      {Date(2024, 3, 31), Date(2024, 2, 1), 10},   // 1 month and 61 units below: "4 weeks ago"
      {Date(2024, 3, 31), Date(2024, 1, 31), 11},  // 2 months below: "1 month ago"
      {Date(2024, 6, 10), Date(2024, 5, 10), 10},
      {Date(2024, 6, 10), Date(2024, 5, 12), 10},
      {Date(2024, 6, 10), Date(2024, 5, 13), 9},
      {Date(2024, 6, 10), Date(2024, 5, 19), 9},
      {Date(2024, 6, 10), Date(2024, 5, 20), 8},
      {Date(2024, 6, 10), Date(2024, 5, 26), 8},
      {Date(2024, 6, 10), Date(2024, 5, 27), 7},
      {Date(2024, 6, 10), Date(2024, 4, 9), 11},
      {Date(2024, 6, 10), Date(2024, 3, 31), 12},
      {Date(2024, 6, 10), Date(2024, 2, 1), 13},
      {Date(2024, 6, 10), Date(2024, 1, 31), 14},
      {Date(2024, 6, 10), Date(1601, 1, 1), 14},
      {Date(2024, 3, 15), Date(2024, 3, 16), std::nullopt},
      {Date(2024, 3, 15), Date(2025, 1, 1), std::nullopt},
  };
  for (const FolderCase& c : cases) {
    EXPECT_EQ(AgeFolderOf(c.visit, c.today), c.folder)
        << c.today.year << "-" << c.today.month << "-" << c.today.day << " visit " << c.visit.year << "-"
        << c.visit.month << "-" << c.visit.day;
  }
}

TEST(AgeFoldersTest, LabelsNameTheRealWeekdaysBeforeToday) {
  using Labels = std::array<std::string, kAgeFolderCount>;
  EXPECT_EQ(
      AgeFolderLabels(Date(2024, 3, 1)),
      (Labels{"today", "Thursday", "Wednesday", "Tuesday", "Monday", "Sunday", "Saturday", "1 week ago", "2 weeks ago",
              "3 weeks ago", "4 weeks ago", "1 month ago", "2 months ago", "3 months ago", "older than 3 months"}));
  Labels newYear = AgeFolderLabels(Date(2024, 1, 1));
  EXPECT_EQ(std::vector<std::string>(newYear.begin() + 1, newYear.begin() + 7),
            (std::vector<std::string>{"Sunday", "Saturday", "Friday", "Thursday", "Wednesday", "Tuesday"}));
}

TEST(AgeFoldersTest, ItemTextIsTheKeyAfterItsFirstAtSign) {
  const std::pair<const char*, const char*> cases[] = {
      {"Visited: @http://a.example/", "http://a.example/"},
      {"Visited: user@http://a.example/x@y", "http://a.example/x@y"},
      {"Visited: no at sign", "Visited: no at sign"},
      {"@", ""},
  };
  for (const auto& [key, text] : cases) EXPECT_EQ(HistoryItemText(key), text) << key;
}

}  // namespace vantry::inspect

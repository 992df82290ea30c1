#include "inspect/history/HistoryFill.h"

#include <ctime>

#include <gtest/gtest.h>

#include "dates/FileTime.h"
#include "testing/ListStore.h"
#include "testing/TempFolder.h"
#include "testing/TestEnvironment.h"

namespace vantry::inspect {

namespace {

cache::UnwatchedWork unwatched;

using Texts = std::vector<std::string>;

const dates::CalendarFields kToday = {2024, 3, 15, 9, 30, 0};

// A moment of a day relative to kToday, in the test's zone (UTC).
cache::FileTime DaysBeforeToday(int days, int hour = 12) {
  std::tm fields{};
  fields.tm_year = kToday.year - 1900;
  fields.tm_mon = kToday.month - 1;
  fields.tm_mday = kToday.day - days;
  fields.tm_hour = hour;
  return cache::FileTimeFromUnixSeconds(timegm(&fields));
}

class HistoryFillTest : public ::testing::Test {
 protected:
  HistoryFillTest() : store(folder.path() / "store") {}

  testing::TimeZone zone{"UTC0"};
  testing::TempFolder folder;
  cache::SqliteUrlCacheStore store;
};

}  // namespace

TEST_F(HistoryFillTest, VisitsArePlacedByAgeInStoreOrderAndAllEntriesAreCounted) {
  ASSERT_EQ(store.RecordVisit("http://today.example/", DaysBeforeToday(0, 0), 1), cache::STORE_OK);
  ASSERT_EQ(store.AddEntry(testing::PageEntry("http://page.example/", "Content-Type: text/html")), cache::STORE_OK);
  ASSERT_EQ(store.RecordVisit("http://yesterday.example/", DaysBeforeToday(1, 23), 1), cache::STORE_OK);
  ASSERT_EQ(store.RecordVisit("http://again-today.example/", DaysBeforeToday(0, 23), 1), cache::STORE_OK);
  ASSERT_EQ(store.RecordVisit("http://old.example/", DaysBeforeToday(200), 1), cache::STORE_OK);
  ASSERT_EQ(store.RecordVisit("http://tomorrow.example/", DaysBeforeToday(-1), 1), cache::STORE_OK);
  cache::NewEntry cookieVisit = testing::PageEntry("Visited: cookie@http://c.example/", "",
                                                   cache::COOKIE_CACHE_ENTRY | cache::URLHISTORY_CACHE_ENTRY);
  ASSERT_EQ(store.AddEntry(cookieVisit), cache::STORE_OK);
  ASSERT_EQ(store.AddEntry(testing::PageEntry("Visited: plain@http://p.example/", "Content-Type: text/html")),
            cache::STORE_OK);

  HistoryFolders folders;
  cache::FillResult fill = FillHistoryFolders(store, 4096, kToday, folders, {}, unwatched);
  EXPECT_EQ(fill.walk, cache::WalkResult::Normal);
  EXPECT_EQ(folders[0], (Texts{"http://today.example/", "http://again-today.example/"}));
  EXPECT_EQ(folders[1], Texts{"http://yesterday.example/"});
  EXPECT_EQ(folders[14], Texts{"http://old.example/"});
  size_t placed = 0;
  for (const Texts& folder : folders) placed += folder.size();
  EXPECT_EQ(placed, 4u);

  // The walk sees only "Visited:" keys; the page is not among them.
  EXPECT_EQ(fill.statistics[cache::CacheStatistics::kTotal], 7u);
  EXPECT_EQ(fill.statistics[cache::CacheStatistics::kHistory], 5u);
  EXPECT_EQ(fill.statistics[cache::CacheStatistics::kCookie], 1u);
  EXPECT_EQ(fill.statistics[cache::CacheStatistics::kUrl], 1u);
}

TEST_F(HistoryFillTest, EmptyHistoryLeavesAllFoldersEmpty) {
  ASSERT_EQ(store.AddEntry(testing::PageEntry("http://page.example/")), cache::STORE_OK);
  HistoryFolders folders;
  cache::FillResult fill = FillHistoryFolders(store, 4096, kToday, folders, {}, unwatched);
  EXPECT_EQ(fill.walk, cache::WalkResult::Normal);
  for (const Texts& folder : folders) EXPECT_TRUE(folder.empty());
  EXPECT_EQ(fill.statistics, cache::CacheStatistics{});
}

TEST_F(HistoryFillTest, ProgressStepsEvery200Visits) {
  for (int i = 0; i < 400; ++i)
    ASSERT_EQ(store.RecordVisit("http://h.example/" + std::to_string(i), DaysBeforeToday(i % 100), 1), cache::STORE_OK);
  int steps = 0;
  HistoryFolders folders;
  FillHistoryFolders(
      store, 0, kToday, folders, [&] { ++steps; }, unwatched);
  EXPECT_EQ(steps, 2);
}

TEST(HistoryFillFailureTest, FailedWalkKeepsWhatWasPlaced) {
  testing::TimeZone zone{"UTC0"};
  testing::TempFolder folder;
  testing::FailingWalkStore failing(folder.path() / "store", 2);
  for (int i = 0; i < 5; ++i)
    ASSERT_EQ(failing.RecordVisit("http://h.example/" + std::to_string(i), DaysBeforeToday(0), 1), cache::STORE_OK);
  HistoryFolders folders;
  cache::FillResult fill = FillHistoryFolders(failing, 4096, kToday, folders, {}, unwatched);
  EXPECT_EQ(fill.walk, cache::WalkResult::Failed);
  EXPECT_EQ(folders[0], (Texts{"http://h.example/0", "http://h.example/1"}));
}

}  // namespace vantry::inspect

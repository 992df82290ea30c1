#include "ops/CategoryDelete.h"

#include <ctime>
#include <set>

#include <gtest/gtest.h>

#include "cache/store/StatisticsText.h"
#include "dates/FileTime.h"
#include "ops/tests/OpsTestSupport.h"
#include "testing/TestEnvironment.h"

namespace vantry::ops {
namespace {

cache::FileTime UtcFileTime(int year, int month, int day, int hour, int minute) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  return cache::FileTimeFromUnixSeconds(timegm(&fields));
}

void FillMixedStore(TestStore& store) {
  store.Page("http://a.org/page.htm");
  store.Headerless("http://a.org/gone.htm");
  store.CookieFor("a.org");
  store.Visit("http://a.org/page.htm", UtcFileTime(2026, 3, 1, 12, 0));
  store.Visit("http://a.org/gone.htm", UtcFileTime(2026, 3, 1, 12, 0));
  store.Visit("http://a.org/after-local-midnight", UtcFileTime(2026, 3, 9, 23, 30));
  store.Visit("http://a.org/before-local-midnight", UtcFileTime(2026, 3, 9, 22, 59));
  store.Visit("mk:@MSITStore:help.chm::/a.htm");
  store.Visit("file:///home/u/a.htm");
  store.Visit("http://a.org/mk:@not-at-start");
}

std::set<std::string> UrlSet(TestStore& store) {
  std::vector<std::string> urls = store.Urls();
  return {urls.begin(), urls.end()};
}

// One hour east of UTC, so local dates differ from UTC dates around midnight.
class CategoryDeleteTest : public ::testing::Test {
 protected:
  void SetUp() override { FillMixedStore(h.store); }

  testing::TimeZone zone{"CET-1"};
  testing::FixedClock clock{{2026, 3, 10, 9, 0, 0}};
  CommandHarness h;
  RecordingSink statisticsPage;
};

TEST_F(CategoryDeleteTest, EachModeDeletesItsEntriesOnly) {
  const char* kCookie = "(the cookie entry)";
  struct Row {
    DeleteCategory category;
    std::set<std::string> deleted;
  };
  const Row rows[] = {
      {DeleteCategory::TodaysHistory, {"Visited: @http://a.org/after-local-midnight"}},
      {DeleteCategory::InactiveHistory,
       {"Visited: @http://a.org/gone.htm", "Visited: @http://a.org/after-local-midnight",
        "Visited: @http://a.org/before-local-midnight", "Visited: @mk:@MSITStore:help.chm::/a.htm",
        "Visited: @file:///home/u/a.htm", "Visited: @http://a.org/mk:@not-at-start"}},
      {DeleteCategory::MkProtocolHistory, {"Visited: @mk:@MSITStore:help.chm::/a.htm"}},
      {DeleteCategory::LocalFileHistory, {"Visited: @file:///home/u/a.htm"}},
      {DeleteCategory::CookieEntries, {kCookie}},
  };
  for (const Row& row : rows) {
    CommandHarness fresh;
    FillMixedStore(fresh.store);
    std::set<std::string> expected = UrlSet(fresh.store);
    ASSERT_EQ(expected.size(), 10u);
    for (const std::string& url : row.deleted) {
      if (url != kCookie) {
        ASSERT_EQ(expected.erase(url), 1u) << url;
        continue;
      }
      // A cookie key carries the user's name, so it is taken from the store.
      std::erase_if(expected, [](const std::string& key) { return key.starts_with("Cookie:"); });
    }
    ASSERT_TRUE(DeleteByCategory(fresh.context, row.category, statisticsPage, fresh.deletion));
    EXPECT_EQ(UrlSet(fresh.store), expected) << static_cast<int>(row.category);
  }
}

TEST_F(CategoryDeleteTest, AllHistoryKeepsContentAndCookieEntries) {
  ASSERT_TRUE(DeleteByCategory(h.context, DeleteCategory::AllHistory, statisticsPage, h.deletion));
  for (const std::string& url : UrlSet(h.store)) EXPECT_FALSE(url.starts_with("Visited:")) << url;
  EXPECT_EQ(UrlSet(h.store).size(), 3u);
}

TEST_F(CategoryDeleteTest, TallyOfEveryEntryGoesToTheStatisticsPageOnly) {
  ASSERT_TRUE(DeleteByCategory(h.context, DeleteCategory::AllHistory, statisticsPage, h.deletion));
  cache::CacheStatistics expected;
  expected[cache::CacheStatistics::kTotal] = 10;
  expected[cache::CacheStatistics::kCookie] = 1;
  expected[cache::CacheStatistics::kHistory] = 7;
  expected[cache::CacheStatistics::kUrl] = 2;
  expected[cache::CacheStatistics::kHttp] = 2;
  expected[cache::CacheStatistics::kHtmExtension] = 2;
  EXPECT_EQ(statisticsPage.lines, cache::StatisticsLines(expected));
  EXPECT_EQ(h.frame.publications, 0);
  EXPECT_EQ(h.cursor.events, (std::vector<std::string>{"wait", "arrow"}));
}

TEST(CategoryTally, CountsKindsProtocolsAndTheLastExtension) {
  struct Row {
    const char* url;
    uint32_t type;
    std::vector<cache::CacheStatistics::Counter> counters;
  };
  using S = cache::CacheStatistics;
  const Row rows[] = {
      {"Cookie:u@a.org/", cache::COOKIE_CACHE_ENTRY, {S::kCookie}},
      {"Visited: @http://a.org/x.gif", cache::URLHISTORY_CACHE_ENTRY, {S::kHistory}},
      {"http://a.org/x.gif", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kHttp, S::kGif}},
      {"ftp://a.org/x.jpg", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kFtp, S::kJpeg}},
      {"ftp://a.org/x.art", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kFtp, S::kJpeg}},
      {"http://a.org/x.html", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kHttp, S::kHtmExtension}},
      {"http://a.org/x.HTM", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kHttp}},
      {"https://a.org/x.htm", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kHtmExtension}},
      {"http://a.org/x.gif?v=1.2", cache::NORMAL_CACHE_ENTRY, {S::kUrl, S::kHttp}},
      {"gopher:nothing", cache::NORMAL_CACHE_ENTRY, {S::kUrl}},
  };
  for (const Row& row : rows) {
    cache::CacheEntry entry;
    entry.sourceUrl = row.url;
    entry.entryType = row.type;
    entry.sizeLow = 5000;
    cache::CacheStatistics counted;
    TallyCategoryEntry(counted, entry);
    cache::CacheStatistics expected;
    expected[S::kTotal] = 1;
    for (S::Counter c : row.counters) ++expected[c];
    EXPECT_EQ(counted, expected) << row.url;
  }
}

TEST(CategoryDeleteProgress, StepsOncePerTwoHundredEntriesCountingTheFirst) {
  const std::pair<int, int> rows[] = {{199, 0}, {200, 1}, {400, 2}};
  for (const auto& [entries, steps] : rows) {
    CommandHarness h;
    RecordingSink page;
    for (int i = 0; i < entries; ++i) h.store.Visit("http://h/" + std::to_string(i));
    ASSERT_TRUE(DeleteByCategory(h.context, DeleteCategory::MkProtocolHistory, page, h.deletion));
    EXPECT_EQ(h.frame.progressSteps, steps) << entries;
  }
}

}  // namespace
}  // namespace vantry::ops

#include "cache/store/StatisticsText.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vantry::cache {

using C = CacheStatistics;

namespace {

// Every shown counter holds a different number, so a row reading the wrong one shows.
CacheStatistics DistinctFigures() {
  CacheStatistics statistics;
  for (int i = 0; i < C::kCounters; ++i) statistics.counters[i] = 100 + i;
  statistics.bytes = 9097;
  statistics.bytesOnDisk = 16384;
  return statistics;
}

}  // namespace

TEST(StatisticsTextTest, PropertiesHintWhileNothingWasCounted) {
  CacheStatistics statistics = DistinctFigures();
  statistics[C::kTotal] = 0;
  EXPECT_EQ(PropertiesText(statistics), "You must first expand the cached Url's before Properties is valid");
  EXPECT_EQ(PropertiesText(CacheStatistics{}), kPropertiesHint);
  EXPECT_EQ(kPropertiesTitle, "Properties");
}

TEST(StatisticsTextTest, PropertiesTextListsEveryFigure) {
  EXPECT_EQ(PropertiesText(DistinctFigures()),
            "Total Cache Entries: 100\n"
            "Cache Entries URL: 102\n"
            "Cache Entries Cookie: 101\n"
            "Cache Entries History: 103 \n"
            "Cache Entries FTP: 105 \n"
            "Cache Entries HTTP: 104 \n"
            "Cache Entries Gif: 107 \n"
            "Cache Entries JPEG: 108 \n"
            "Cache Entries png: 114 \n"
            "Cache Entries Au: 111 \n"
            "Cache Entries AIFF: 112 \n"
            "Cache Entries XBM: 113 \n"
            "Cache Entries ActiveX: 109 \n"
            "Cache Entries Javascript: 116 \n"
            "Cache Entries Java: 115 \n"
            "Cache Entries Style Sheet: 117 \n"
            "Cache Entries html: 119 \n"
            "Cache uses : 0.009 MBytes actually 0.016 MBytes");
}

TEST(StatisticsTextTest, PropertiesUsageLineInMegabytes) {
  struct Row {
    uint64_t bytes;
    uint64_t bytesOnDisk;
    const char* line;
  } rows[] = {
      {9097, 16384, "Cache uses : 0.009 MBytes actually 0.016 MBytes"},
      {0, 0, "Cache uses : 0.000 MBytes actually 0.000 MBytes"},
      {1500, 0, "Cache uses : 0.002 MBytes actually 0.000 MBytes"},
      {2147483648ULL, 2147487744ULL, "Cache uses : 2147.484 MBytes actually 2147.488 MBytes"},
      {5000000000ULL, 5000003584ULL, "Cache uses : 5000.000 MBytes actually 5000.004 MBytes"},
  };
  for (const Row& row : rows) {
    CacheStatistics statistics;
    statistics[C::kTotal] = 1;
    statistics.bytes = row.bytes;
    statistics.bytesOnDisk = row.bytesOnDisk;
    std::string text = PropertiesText(statistics);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), row.line) << row.bytes;
  }
}

TEST(StatisticsTextTest, FifteenStatisticsLines) {
  std::vector<std::string> expected = {
      "Total Cache Entries: 100",    "Cache Entries URL: 102",      "Cache Entries Cookie: 101",
      "Cache Entries History: 103 ", "Cache Entries FTP: 105 ",     "Cache Entries HTTP: 104 ",
      "Cache Entries Html: 119 ",    "Cache Entries Gif: 107 ",     "Cache Entries JPEG: 108 ",
      "Cache Entries png: 114 ",     "Cache Entries Au: 111 ",      "Cache Entries AIFF: 112 ",
      "Cache Entries XBM: 113 ",     "Cache Entries ActiveX: 109 ", "Cache Entries Html in disguise: -13 ",
  };
  EXPECT_EQ(StatisticsLines(DistinctFigures()), expected);
  EXPECT_EQ(StatisticsLines(CacheStatistics{}).front(), "Total Cache Entries: 0");
}

TEST(StatisticsTextTest, HtmlInDisguiseIsExtensionsLessHtmlHeaders) {
  struct Row {
    uint32_t htmExtensions;
    uint32_t htmlHeaders;
    const char* line;
  } rows[] = {
      {10, 25, "Cache Entries Html in disguise: -15 "},
      {7, 2, "Cache Entries Html in disguise: 5 "},
      {0, 0, "Cache Entries Html in disguise: 0 "},
      {0, 4294967295u, "Cache Entries Html in disguise: -4294967295 "},
      {4294967295u, 0, "Cache Entries Html in disguise: 4294967295 "},
  };
  for (const Row& row : rows) {
    CacheStatistics statistics;
    statistics[C::kHtmExtension] = row.htmExtensions;
    statistics[C::kHtml] = row.htmlHeaders;
    EXPECT_EQ(StatisticsLines(statistics).back(), row.line);
  }
}

TEST(StatisticsTextTest, LargeCountsNeverShowNegative) {
  CacheStatistics statistics;
  statistics[C::kTotal] = 3000000000u;
  statistics[C::kHttp] = 4294967295u;
  std::vector<std::string> lines = StatisticsLines(statistics);
  EXPECT_EQ(lines[0], "Total Cache Entries: 3000000000");
  EXPECT_EQ(lines[5], "Cache Entries HTTP: 4294967295 ");
  EXPECT_EQ(PropertiesText(statistics).substr(0, 32), "Total Cache Entries: 3000000000\n");
}

}  // namespace vantry::cache

#include "cache/lists/RequestMatching.h"

#include <ctime>

#include <gtest/gtest.h>

#include "cache/lists/AddressRequest.h"
#include "dates/FileTime.h"
#include "testing/TestEnvironment.h"

namespace vantry::cache {

namespace {

struct SplitCase {
  const char* url;
  bool split;
  const char* name;
  const char* extension;
};

struct WildcardCase {
  const char* request;
  const char* url;
  bool matches;
};

FileTime LocalNoonOf(int year, int month, int day) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = 12;
  fields.tm_isdst = -1;
  return cache::FileTimeFromUnixSeconds(std::mktime(&fields));
}

}  // namespace

TEST(RequestMatchingTest, UrlsSplitIntoNameAndExtensionParts) {
  const std::string longName(253, 'n');
  const std::string url253 = "http://h/" + longName.substr(1) + ".gif";
  const std::string url254 = "http://h/" + longName + ".gif";
  const SplitCase cases[] = {
      {"http://h/dir/pic.gif", true, "pic.", ".gif"},
      {"http://h/show.asp?img=a.gif", true, "show.asp?img=a.", ".gif"},
      {"http://h/a.gif?x=1", true, "a.", ".gif?x=1"},
      {"http://h/a.gif/next", false, "", ""},
      {"http://h/dir.d/page", false, "", ""},
      {"http://h/noext", false, "", ""},
      {"C:\\dir\\file.htm", true, "file.", ".htm"},
      {"http://h/a\\b.c/d", true, "b.", ".c/d"},
      {"http://h/a.b\\c", false, "", ""},
      {"plain.txt", true, "plain.", ".txt"},
      {url253.c_str(), true, nullptr, ".gif"},
      {url254.c_str(), true, "", ".gif"},
  };
  for (const SplitCase& c : cases) {
    std::optional<UrlNameParts> parts = SplitUrlName(c.url);
    ASSERT_EQ(parts.has_value(), c.split) << c.url;
    if (!parts) continue;
    EXPECT_EQ(parts->extension, c.extension) << c.url;
    if (c.name) {
      EXPECT_EQ(parts->name, c.name) << c.url;
    }
  }
  EXPECT_EQ(SplitUrlName(url253)->name.size(), 253u);
}

TEST(RequestMatchingTest, WildcardRequestsTestTheirPatternsCaseSensitively) {
  const WildcardCase cases[] = {
      {"*.gif", "http://h/pics/a.gif", true},
      {"*.gif", "http://h/show.asp?img=a.gif", true},
      {"*.gif", "http://h/a.gif?size=2", true},
      {"*.gif", "http://h/a.gif/next", false},
      {"*.gif", "http://h/a.GIF", false},
      {"*.gif", "http://h/a.jpg", false},
      {"*.*gif", "http://h/a.agif", true},
      {"help*.htm", "http://h/help/index.htm", false},
      {"help*.htm", "http://h/myhelp1.html", true},
      {"*anyfile*", "http://h/x/anyfile.txt", true},
      {"*anyfile*", "http://h/anyfile/", false},
      {"*anyfile*", "http://h/x/other.txt", false},
      {"anyfile.*", "http://h/anyfile.zip", true},
      {"anyfile.*", "http://h/anyfile2.zip", false},
      {"*", "http://h/a.gif", false},
  };
  for (const WildcardCase& c : cases) {
    SearchRequest request;
    ParseAddressRequest(c.request, request);
    EXPECT_EQ(MatchesWildcardRequest(request, c.url), c.matches) << c.request << " " << c.url;
  }
}

TEST(RequestMatchingTest, ModesDecideWhichTestRuns) {
  CacheEntry entry;
  entry.sourceUrl = "http://www.example.com/a.gif";
  SearchRequest request;
  EXPECT_TRUE(MatchesRequest(request, entry));
  request.mode = SearchRequest::kEverything;
  EXPECT_TRUE(MatchesRequest(request, entry));
  ParseAddressRequest("example.com/a", request);
  EXPECT_TRUE(MatchesRequest(request, entry));
  ParseAddressRequest("Example", request);
  EXPECT_FALSE(MatchesRequest(request, entry));
  ParseAddressRequest("*.gif", request);
  EXPECT_TRUE(MatchesRequest(request, entry));
  ParseAddressRequest("*.png", request);
  EXPECT_FALSE(MatchesRequest(request, entry));
}

TEST(RequestMatchingTest, DateModesCompareWholeLocalDatesInclusively) {
  testing::TimeZone zone("UTC0");
  SearchRequest request;
  request.searchDate.SetDate(2024, 3, 15);
  request.fromDate.SetDate(2024, 2, 28);
  request.toDate.SetDate(2024, 3, 2);
  struct DateCase {
    uint32_t mode;
    int year, month, day;
    bool matches;
  };
  const DateCase cases[] = {
      {SearchRequest::kDateExactly, 2024, 3, 15, true},
      {SearchRequest::kDateExactly, 2024, 3, 16, false},
      {SearchRequest::kDateBefore, 2024, 3, 15, true},
      {SearchRequest::kDateBefore, 2023, 12, 31, true},  // day and month above, year below
      {SearchRequest::kDateBefore, 2024, 3, 16, false},
      {SearchRequest::kDateLater, 2024, 3, 15, true},
      {SearchRequest::kDateLater, 2025, 1, 1, true},
      {SearchRequest::kDateLater, 2024, 3, 14, false},
      {SearchRequest::kDateBetween, 2024, 2, 28, true},
      {SearchRequest::kDateBetween, 2024, 2, 29, true},
      {SearchRequest::kDateBetween, 2024, 3, 2, true},
      {SearchRequest::kDateBetween, 2024, 2, 27, false},
      {SearchRequest::kDateBetween, 2024, 3, 3, false},
  };
  for (const DateCase& c : cases) {
    request.mode = c.mode;
    CacheEntry entry;
    entry.lastSyncTime = LocalNoonOf(c.year, c.month, c.day);
    entry.lastAccessTime = LocalNoonOf(2000, 1, 1);
    EXPECT_EQ(MatchesRequest(request, entry), c.matches)
        << std::hex << c.mode << std::dec << " " << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(RequestMatchingTest, DatesAreTakenInLocalTime) {
  testing::TimeZone zone("EST5");
  SearchRequest request;
  request.mode = SearchRequest::kDateExactly;
  request.searchDate.SetDate(2024, 3, 15);
  CacheEntry entry;
  // 03:00 UTC on the 16th is still the 15th five hours west of Greenwich.
  entry.lastSyncTime = cache::FileTimeFromUnixSeconds(1710558000);
  EXPECT_TRUE(MatchesRequest(request, entry));
}

}  // namespace vantry::cache

#include "cache/lists/ListFill.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "cache/lists/AddressRequest.h"
#include "testing/FakeFrame.h"
#include "testing/FakePanes.h"
#include "testing/ListStore.h"
#include "testing/TempFolder.h"
#include "text/AsciiText.h"

namespace vantry::cache {

namespace {

const char* kCss = "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\n";
const char* kGif = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n";
const char* kZip = "HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\n";

class ListFillTest : public ::testing::Test {
 protected:
  ListFillTest() : store(folder.path() / "store") {}

  // Pages of several kinds, one without headers, a history record with headers, a
  // visit, a sticky page and a cookie entry, in this order.
  void AddMixedEntries() {
    ASSERT_EQ(store.AddEntry(testing::PageEntry("http://b.example/index.html")), STORE_OK);
    ASSERT_EQ(store.AddEntry(testing::PageEntry("http://a.example/style.css", kCss)), STORE_OK);
    ASSERT_EQ(store.AddEntry(testing::PageEntry("ftp://files.example/pic.gif", kGif)), STORE_OK);
    ASSERT_EQ(store.AddEntry(testing::PageEntry("http://a.example/bare.html", "")), STORE_OK);
    ASSERT_EQ(store.AddEntry(testing::PageEntry("Visited: @http://h.example/old.html", kCss,
                                                NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY)),
              STORE_OK);
    ASSERT_EQ(store.RecordVisit("http://a.example/", FileTimeNow(), 1), STORE_OK);
    ASSERT_EQ(
        store.AddEntry(testing::PageEntry("http://C.example/pack.zip", kZip, NORMAL_CACHE_ENTRY | STICKY_CACHE_ENTRY)),
        STORE_OK);
    Cookie cookie{"id", "42", "a.example", "/", 0, 0, 0};
    ASSERT_EQ(store.SetCookie(cookie), STORE_OK);
  }

  std::vector<std::string> Alpha(AlphaFill rules, const char* request, uint32_t mask = ShowMask::kHtml) {
    SearchRequest search;
    if (request) ParseAddressRequest(request, search);
    std::vector<std::string> leaves;
    FillResult fill = FillAlphaList(store, 4096, rules, search, ShowMask{mask}, leaves, {});
    EXPECT_EQ(fill.walk, WalkResult::Normal);
    return leaves;
  }

  testing::TempFolder folder;
  SqliteUrlCacheStore store;
};

using Urls = std::vector<std::string>;

}  // namespace

TEST_F(ListFillTest, AccessListShowsEveryEntryInStoreOrderAndTalliesByVariantA) {
  AddMixedEntries();
  std::vector<std::string> leaves;
  FillResult fill = FillAccessList(store, 4096, leaves, {});
  EXPECT_EQ(fill.walk, WalkResult::Normal);
  EXPECT_EQ(leaves, testing::StoredUrls(store));
  EXPECT_EQ(leaves.size(), 8u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kTotal], 8u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kCookie], 1u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kHistory], 2u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kUrl], 5u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kHttp], 0u);  // variant A counts no protocols
}

TEST_F(ListFillTest, AlphaListBeforeFindTakesEntriesWithHeadersThatMatchTheRequest) {
  AddMixedEntries();
  const std::string cookieKey = testing::StoredUrls(store).back();
  EXPECT_EQ(Alpha(AlphaFill::BeforeFind, nullptr), (Urls{"http://b.example/index.html", "http://a.example/style.css",
                                                         "ftp://files.example/pic.gif", "http://C.example/pack.zip"}));
  EXPECT_EQ(Alpha(AlphaFill::BeforeFind, "*.*"), Alpha(AlphaFill::BeforeFind, nullptr));
  EXPECT_EQ(Alpha(AlphaFill::BeforeFind, "a.example"), (Urls{"http://a.example/style.css"}));
  EXPECT_EQ(Alpha(AlphaFill::BeforeFind, "*.gif"), (Urls{"ftp://files.example/pic.gif"}));
  EXPECT_EQ(Alpha(AlphaFill::BeforeFind, "*.htm*"), (Urls{"http://b.example/index.html"}));
  EXPECT_EQ(Alpha(AlphaFill::BeforeFind, "*"), Urls{});
  EXPECT_NE(cookieKey.find("Cookie:"), std::string::npos);
}

TEST_F(ListFillTest, AlphaListBeforeFindCountsEntriesWithoutHeadersOnlyInTheTotal) {
  AddMixedEntries();
  std::vector<std::string> leaves;
  FillResult fill = FillAlphaList(store, 4096, AlphaFill::BeforeFind, SearchRequest{}, ShowMask{}, leaves, {});
  EXPECT_EQ(fill.statistics[CacheStatistics::kTotal], 8u);
  // Only the five entries with headers count further; cookies and history count as URLs.
  EXPECT_EQ(fill.statistics[CacheStatistics::kUrl], 5u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kHistory], 0u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kCookie], 0u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kHttp], 4u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kFtp], 1u);
}

TEST_F(ListFillTest, AlphaListAfterFindAppliesTheShowMask) {
  AddMixedEntries();
  struct MaskCase {
    uint32_t mask;
    Urls expected;
  };
  const MaskCase cases[] = {
      {0, {}},
      {ShowMask::kHtml, {"http://b.example/index.html"}},
      {ShowMask::kStyleSheet, {"http://a.example/style.css"}},
      {ShowMask::kImage, {"ftp://files.example/pic.gif"}},
      {ShowMask::kApplication, {"http://C.example/pack.zip"}},
      {ShowMask::kSticky, {"http://C.example/pack.zip"}},
      // "text" is the sub-type of text/plain, not the category of html and css.
      {ShowMask::kText, {}},
      {ShowMask::kText | ShowMask::kHtml, {"http://b.example/index.html"}},
      {ShowMask::kAudio | ShowMask::kMisc, {}},
      // The cookie entry has no headers, so no mask lets it through.
      {ShowMask::kCookie, {}},
  };
  for (const MaskCase& c : cases)
    EXPECT_EQ(Alpha(AlphaFill::AfterFind, "*.*", c.mask), c.expected) << std::hex << c.mask;
}

TEST_F(ListFillTest, AlphaListAfterFindKeepsHistoryForTheEmptyAndTheDateRequestsOnly) {
  AddMixedEntries();
  const std::string history = "Visited: @http://h.example/old.html";
  auto listsHistory = [&](const Urls& leaves) {
    return std::find(leaves.begin(), leaves.end(), history) != leaves.end();
  };
  EXPECT_TRUE(listsHistory(Alpha(AlphaFill::AfterFind, nullptr, ShowMask::kStyleSheet)));
  EXPECT_FALSE(listsHistory(Alpha(AlphaFill::AfterFind, "*.*", ShowMask::kStyleSheet)));
  EXPECT_FALSE(listsHistory(Alpha(AlphaFill::AfterFind, "h.example", ShowMask::kStyleSheet)));
  EXPECT_FALSE(listsHistory(Alpha(AlphaFill::BeforeFind, nullptr)));

  SearchRequest byDate;
  byDate.mode = SearchRequest::kDateBefore;
  byDate.searchDate.SetDate(3000, 1, 1);
  std::vector<std::string> leaves;
  FillAlphaList(store, 4096, AlphaFill::AfterFind, byDate, ShowMask{ShowMask::kStyleSheet}, leaves, {});
  EXPECT_EQ(leaves, (Urls{"http://a.example/style.css", history}));
}

TEST_F(ListFillTest, AlphaListAfterFindTalliesEveryEntryByVariantC) {
  AddMixedEntries();
  std::vector<std::string> leaves;
  FillResult fill = FillAlphaList(store, 4096, AlphaFill::AfterFind, SearchRequest{}, ShowMask{0}, leaves, {});
  EXPECT_TRUE(leaves.empty());
  EXPECT_EQ(fill.statistics[CacheStatistics::kTotal], 8u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kCookie], 1u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kHistory], 2u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kUrl], 5u);
  EXPECT_EQ(fill.statistics[CacheStatistics::kHttp], 4u);
}

TEST_F(ListFillTest, ProgressStepsAfterEvery200thEntry) {
  std::vector<NewEntry> entries;
  for (int i = 0; i < 601; ++i) entries.push_back(testing::PageEntry("http://h/" + std::to_string(i) + ".html"));
  ASSERT_EQ(store.AddEntries(entries), STORE_OK);
  int steps = 0;
  std::vector<std::string> leaves;
  FillAccessList(store, 0, leaves, [&] { ++steps; });
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(leaves.size(), 601u);
}

TEST_F(ListFillTest, EmptyStoreFillsNothingAndPublishesZeros) {
  std::vector<std::string> leaves;
  FillResult fill = FillAccessList(store, 4096, leaves, {});
  EXPECT_EQ(fill.walk, WalkResult::Normal);
  EXPECT_TRUE(leaves.empty());
  testing::FakeFrame frame;
  testing::FakePanes panes;
  frame.published[CacheStatistics::kTotal] = 99;
  PublishFillStatistics(fill, frame, panes);
  EXPECT_EQ(frame.published, CacheStatistics{});
  EXPECT_EQ(panes.calls, (Urls{"statistics"}));
}

TEST(ListFillFailureTest, FailedWalkKeepsItsLeavesAndPublishesNothing) {
  testing::TempFolder folder;
  testing::FailingWalkStore failing(folder.path() / "store", 4);
  std::vector<NewEntry> entries;
  for (int i = 0; i < 10; ++i) entries.push_back(testing::PageEntry("http://h/" + std::to_string(i) + ".html"));
  ASSERT_EQ(failing.AddEntries(entries), STORE_OK);
  std::vector<std::string> leaves;
  FillResult fill = FillAccessList(failing, 4096, leaves, {});
  EXPECT_EQ(fill.walk, WalkResult::Failed);
  EXPECT_EQ(leaves.size(), 4u);
  testing::FakeFrame frame;
  testing::FakePanes panes;
  PublishFillStatistics(fill, frame, panes);
  EXPECT_EQ(frame.publications, 0);
  EXPECT_TRUE(panes.calls.empty());
}

TEST(SortListTextsTest, SortsIgnoringCaseThenByBytes) {
  Urls texts = {"http://b/", "HTTP://A/", "http://a/", "ftp://z/", "http://a", "Cookie:u@x/", "http://ab/"};
  SortListTexts(texts);
  EXPECT_EQ(texts, (Urls{"Cookie:u@x/", "ftp://z/", "http://a", "HTTP://A/", "http://a/", "http://ab/", "http://b/"}));
}

// Long texts that differ only in case, or only far in, sort as the folded texts do.
TEST(SortListTextsTest, LongTextsSortAsTheirFoldedCopies) {
  std::mt19937 random(3);
  const std::string letters = "aAbB/.\xe4";
  Urls texts;
  for (int i = 0; i < 2000; ++i) {
    std::string text = "http://www.Example.COM/" + std::string(random() % 20, 'x');
    for (size_t n = random() % 12; n > 0; --n) text += letters[random() % letters.size()];
    texts.push_back(text);
  }
  Urls expected = texts;
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    std::string x = text::ToLowerAscii(a), y = text::ToLowerAscii(b);
    auto ux = std::vector<unsigned char>(x.begin(), x.end()), uy = std::vector<unsigned char>(y.begin(), y.end());
    auto bx = std::vector<unsigned char>(a.begin(), a.end()), by = std::vector<unsigned char>(b.begin(), b.end());
    return ux != uy ? ux < uy : bx < by;
  });
  SortListTexts(texts);
  EXPECT_EQ(texts, expected);
}

}  // namespace vantry::cache

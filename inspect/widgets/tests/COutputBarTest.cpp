#include "inspect/widgets/COutputBar.h"

#include <QListWidget>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include "cache/store/CookieFile.h"
#include "inspect/tests/BrowserSamples.h"

namespace vantry::inspect {

namespace {

class RecordingActions : public OutputBarActions {
 public:
  std::string ContentFolder() const override { return "/store/content"; }
  void ShowInHtmlPane(std::string_view path) override { calls.push_back("show " + std::string(path)); }
  std::string FindAddressOfLocalFile(std::string_view) override { return "http://x.org/a.htm"; }
  std::optional<cache::CacheEntry> LookupEntry(std::string_view) override { return std::nullopt; }
  void SetAddress(std::string_view text) override { calls.push_back("address " + std::string(text)); }
  std::vector<std::string> calls;
};

class COutputBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar_.SetNoticeSink([this](const Notice& notice) { notices_.push_back(notice); });
    bar_.resize(500, 300);
    bar_.show();
  }
  std::vector<int> VisiblePages() const {
    std::vector<int> visible;
    for (int page = 0; page < COutputBar::kPages; ++page)
      if (bar_.PageList(page)->isVisible()) visible.push_back(page);
    return visible;
  }
  QString ShownLine(int page, int row) const { return bar_.PageList(page)->item(row)->text(); }

  RecordingActions actions_;
  COutputBar bar_{&actions_};
  Notices notices_;
};

TEST_F(COutputBarTest, StartsWithPlaceholdersAndTheCacheEntryPage) {
  ASSERT_EQ(bar_.Tabs()->count(), 4);
  EXPECT_EQ(bar_.Tabs()->tabText(0), "CacheEntry");
  EXPECT_EQ(bar_.Tabs()->tabText(1), "Properties");
  EXPECT_EQ(bar_.Tabs()->tabText(2), "Cookie");
  EXPECT_EQ(bar_.Tabs()->tabText(3), "Find in Files");
  EXPECT_EQ(VisiblePages(), std::vector<int>{COutputBar::kCacheEntryPage});
  EXPECT_EQ(bar_.PageLines(0),
            (std::vector<std::string>{"-----------------------------No URL to translate------------------------------",
                                      "                               select URL"}));
  EXPECT_EQ(bar_.PageLines(1).size(), 7u);
  EXPECT_EQ(bar_.PageLines(1)[3], "Cache Entries History:         valid:");
  EXPECT_EQ(bar_.PageList(1)->count(), 7);
  EXPECT_TRUE(bar_.PageLines(2).empty());
  EXPECT_TRUE(bar_.PageLines(3).empty());
  EXPECT_EQ(bar_.PageList(2)->accessibleName(), "Cookie");
}

TEST_F(COutputBarTest, EachFillBringsItsPageToTheFront) {
  std::vector<std::string> statistics(15, "Total Cache Entries: 3");
  bar_.ShowStatistics(statistics);
  EXPECT_EQ(VisiblePages(), std::vector<int>{COutputBar::kPropertiesPage});
  EXPECT_EQ(bar_.PageList(1)->count(), 15);

  cache::CacheEntry entry;
  entry.sourceUrl = "http://x.org/";
  bar_.ShowEntryProperties(entry);
  EXPECT_EQ(bar_.CurrentPage(), COutputBar::kCacheEntryPage);
  EXPECT_EQ(bar_.PageList(0)->count(), 11);
  EXPECT_EQ(ShownLine(0, 0), "SourceUrlName: http://x.org/");

  bar_.ShowCookieText("a=1; b=2");
  EXPECT_EQ(VisiblePages(), std::vector<int>{COutputBar::kCookiePage});
  EXPECT_EQ(ShownLine(2, 1), "Set Two:  b=2");

  cache::Cookie cookie;
  cookie.name = "id";
  cookie.value = "42";
  cookie.domain = "x.org";
  std::string file = cache::FormatCookieFile({cookie});
  bar_.DecodeCookieFile(static_cast<int>(file.size()), file.data());
  EXPECT_EQ(bar_.CurrentPage(), COutputBar::kCookiePage);
  EXPECT_EQ(ShownLine(2, 0), "Cookie-Entry Nr. 0 :");  // the text split is replaced
  EXPECT_EQ(bar_.PageList(2)->count(), 7);

  bar_.ShowFindResults({"one", "two"});
  EXPECT_EQ(VisiblePages(), std::vector<int>{COutputBar::kFindPage});
  EXPECT_EQ(bar_.Tabs()->currentIndex(), COutputBar::kFindPage);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(COutputBarTest, PagesFillTheBarAboveTheTabStrip) {
  QRect tabs = bar_.Tabs()->geometry();
  for (int page = 0; page < COutputBar::kPages; ++page) {
    QRect list = bar_.PageList(page)->geometry();
    EXPECT_EQ(list.topLeft(), QPoint(1, 1));
    EXPECT_EQ(list.width(), 498);
    EXPECT_LT(list.bottom(), tabs.top());
  }
  EXPECT_EQ(tabs.left(), 1);
  EXPECT_EQ(tabs.width(), 498);
  EXPECT_GE(tabs.height(), 15);
  EXPECT_EQ(tabs.bottom(), 297);
}

TEST_F(COutputBarTest, SelectingATabShowsItsPage) {
  bar_.Tabs()->setCurrentIndex(COutputBar::kCookiePage);
  EXPECT_EQ(VisiblePages(), std::vector<int>{COutputBar::kCookiePage});
  bar_.ShowPage(COutputBar::kPropertiesPage);
  EXPECT_EQ(bar_.Tabs()->currentIndex(), COutputBar::kPropertiesPage);
}

// Real header blocks and cookie files: every line is on its page, no box comes up, and a
// page past the old limits says so once.
TEST_F(COutputBarTest, EveryHeaderLineAndCookieWithoutABox) {
  std::vector<std::string> notes;
  bar_.SetNoteSink([&](const std::string& note) { notes.push_back(note); });
  for (const HeaderSample& sample : HeaderSamples()) {
    notes.clear();
    cache::CacheEntry entry;
    entry.headerInfo = StoredHeader(sample);
    bar_.ShowEntryProperties(entry);
    ASSERT_EQ(bar_.PageList(0)->count(), static_cast<int>(11 + sample.lines.size() + 1)) << sample.name;
    for (size_t i = 0; i < sample.lines.size(); ++i)
      EXPECT_EQ(ShownLine(0, static_cast<int>(11 + i)).toStdString(), sample.lines[i]) << sample.name;
    EXPECT_EQ(ShownLine(0, bar_.PageList(0)->count() - 1), "");
    EXPECT_EQ(notes.size(), 1u) << sample.name;
  }
  for (int count : {1, 8, 24}) {
    notes.clear();
    std::string file = cache::FormatCookieFile(ShopCookies(count));
    bar_.DecodeCookieFile(static_cast<int>(file.size()), file.data());
    int records = 0;
    for (int row = 0; row < bar_.PageList(2)->count(); ++row)
      if (ShownLine(2, row) == QString("Cookie-Entry Nr. %1 :").arg(records)) ++records;
    EXPECT_EQ(records, count);
    EXPECT_EQ(notes.size(), count > 8 || file.size() > 1000 ? 1u : 0u) << count;
  }
  EXPECT_TRUE(notices_.empty());
  bar_.DecodeCookieFile(-5, nullptr);
  EXPECT_EQ(bar_.PageList(2)->count(), 0);
}

TEST_F(COutputBarTest, LinesKeepTheirBytesAndShowAsUtf8OrLatin1) {
  bar_.ShowFindResults({"caf\xc3\xa9", "caf\xe9"});
  EXPECT_EQ(ShownLine(3, 0), QString::fromUtf8("caf\xc3\xa9"));
  EXPECT_EQ(ShownLine(3, 1), QString("caf") + QChar(0xE9));
  EXPECT_EQ(bar_.PageLines(3)[1], "caf\xe9");
}

TEST_F(COutputBarTest, DoubleClickOpensTheSearchResult) {
  bar_.ShowFindResults({"/store/content/c1/a.htm :   <b", "www.x.org : comment"});
  bar_.OpenSelectedSearchResult();  // nothing selected yet
  EXPECT_TRUE(actions_.calls.empty());

  QListWidget* list = bar_.PageList(COutputBar::kFindPage);
  QRect first = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{"show /store/content/c1/a.htm", "address http://x.org/a.htm"}));

  list->setCurrentRow(1);
  bar_.OpenSelectedSearchResult();
  EXPECT_EQ(notices_, (Notices{Notice{"", "Cache Entry not found!"}}));
}

}  // namespace

}  // namespace vantry::inspect

#include "inspect/history/widgets/CTabFileView.h"

#include <ctime>

#include <gtest/gtest.h>

#include "dates/FileTime.h"
#include "testing/ListStore.h"
#include "testing/ListTabTestBed.h"
#include "testing/TestEnvironment.h"
#include "testing/WidgetTestSupport.h"

namespace vantry::inspect {

namespace {

using Texts = std::vector<std::string>;

// Friday, 1 March 2024, in UTC.
const dates::CalendarFields kToday = {2024, 3, 1, 10, 0, 0};

cache::FileTime DaysBeforeToday(int days) {
  std::tm fields{};
  fields.tm_year = kToday.year - 1900;
  fields.tm_mon = kToday.month - 1;
  fields.tm_mday = kToday.day - days;
  fields.tm_hour = 8;
  return cache::FileTimeFromUnixSeconds(timegm(&fields));
}

class CTabFileViewTest : public ::testing::Test, protected testing::ListTabTestBed {
 protected:
  CTabFileViewTest() { view.BuildInitialList(); }

  void AddVisits() {
    ASSERT_EQ(store.AddEntry(testing::PageEntry("http://today.example/")), cache::STORE_OK);
    ASSERT_EQ(store.RecordVisit("http://today.example/", DaysBeforeToday(0), 1), cache::STORE_OK);
    ASSERT_EQ(store.RecordVisit("http://feb28.example/", DaysBeforeToday(2), 1), cache::STORE_OK);
    ASSERT_EQ(store.RecordVisit("http://again.example/", DaysBeforeToday(0), 1), cache::STORE_OK);
    ASSERT_EQ(store.RecordVisit("http://old.example/", DaysBeforeToday(400), 1), cache::STORE_OK);
  }

  QModelIndex Root() { return view.Model().RootIndex(); }
  Texts Folders() { return testing::ChildTexts(view.Model(), Root()); }
  Texts FolderItems(int folder) { return testing::ChildTexts(view.Model(), testing::ChildAt(view.Model(), folder)); }

  QApplication& application = *qApp;
  testing::TimeZone zone{"UTC0"};
  testing::FixedClock clock{kToday};
  CTabFileView view{context};
};

}  // namespace

TEST_F(CTabFileViewTest, StartsCollapsedWithTheBoldRootHistory) {
  EXPECT_EQ(view.RootText(), "History");
  EXPECT_TRUE(view.Model().data(Root(), Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(Folders(), Texts{"zHistory"});
}

TEST_F(CTabFileViewTest, ExpandingShowsAllFifteenFoldersEvenWithoutHistory) {
  view.expand(Root());
  EXPECT_EQ(Folders(), (Texts{"today", "Thursday", "Wednesday", "Tuesday", "Monday", "Sunday", "Saturday", "1 week ago",
                              "2 weeks ago", "3 weeks ago", "4 weeks ago", "1 month ago", "2 months ago",
                              "3 months ago", "older than 3 months"}));
  for (int i = 0; i < 15; ++i) EXPECT_TRUE(FolderItems(i).empty()) << i;
  EXPECT_EQ(frame.publications, 1);
  EXPECT_EQ(panes.calls, Texts{"statistics"});
  EXPECT_EQ(frame.progressBarRequests, 1);
  EXPECT_EQ(frame.progressResets, 1);
  EXPECT_EQ(frame.lastExpanded, &view);
}

TEST_F(CTabFileViewTest, VisitsAppearInTheirFoldersAsTheirAddresses) {
  AddVisits();
  view.expand(Root());
  EXPECT_EQ(FolderItems(0), (Texts{"http://today.example/", "http://again.example/"}));
  // 28 February lies 4 day-index units before 1 March.
  EXPECT_EQ(FolderItems(4), Texts{"http://feb28.example/"});
  EXPECT_EQ(FolderItems(14), Texts{"http://old.example/"});
  EXPECT_EQ(frame.published[cache::CacheStatistics::kHistory], 4u);
  EXPECT_EQ(frame.published[cache::CacheStatistics::kTotal], 4u);
}

TEST_F(CTabFileViewTest, SelectingShowsTheAddressAndTheCachedPageOfAVisit) {
  AddVisits();
  view.expand(Root());
  QModelIndex todayFolder = testing::ChildAt(view.Model(), 0);
  panes.calls.clear();
  view.setCurrentIndex(todayFolder);
  EXPECT_EQ(frame.addresses, Texts{"today"});
  EXPECT_EQ(panes.calls, (Texts{"show today | ", "bytes "}));

  view.setCurrentIndex(view.Model().index(0, 0, todayFolder));
  EXPECT_EQ(frame.addresses.back(), "http://today.example/");
  EXPECT_EQ(panes.calls.at(3), "properties http://today.example/");
}

TEST_F(CTabFileViewTest, ExpandingAFolderRegistersTheListWithoutRefilling) {
  AddVisits();
  view.expand(Root());
  view.expand(testing::ChildAt(view.Model(), 0));
  EXPECT_EQ(frame.registrations, 2);
  EXPECT_EQ(frame.publications, 1);
  EXPECT_EQ(FolderItems(0).size(), 2u);
}

TEST_F(CTabFileViewTest, CollapseAndResetRebuildTheCollapsedTree) {
  AddVisits();
  view.expand(Root());
  view.collapse(Root());
  EXPECT_EQ(frame.statusTexts, (Texts{"Wait! Deleting All Entries!", "Ready"}));
  EXPECT_EQ(Folders(), Texts{""});
  EXPECT_EQ(view.RootText(), "History");
  EXPECT_TRUE(frame.addresses.empty());

  ASSERT_EQ(store.DeleteEntry("Visited: @http://again.example/"), cache::STORE_OK);
  view.expand(Root());
  EXPECT_EQ(FolderItems(0), Texts{"http://today.example/"});

  view.ResetList();
  EXPECT_EQ(Folders(), Texts{""});
  EXPECT_EQ(frame.addresses, Texts{""});
  EXPECT_EQ(frame.statusTexts.back(), "Ready");
  view.ResetList();  // also when collapsed
  EXPECT_EQ(frame.addresses.size(), 2u);
}

TEST_F(CTabFileViewTest, RemoveItemSearchesTheFolders) {
  AddVisits();
  view.expand(Root());
  EXPECT_TRUE(view.RemoveItem("http://feb28.example/", 2));
  EXPECT_TRUE(FolderItems(4).empty());
  EXPECT_FALSE(view.RemoveItem("today", 2));

  CTabFileDoc doc(&view);
  doc.Reset();
  EXPECT_EQ(Folders(), Texts{""});
  CTabFileDoc empty;
  empty.Reset();
}

}  // namespace vantry::inspect

#include <QFont>
#include <gtest/gtest.h>

#include "cache/lists/AddressRequest.h"
#include "cache/store/StoreFiles.h"
#include "cache/widgets/CTabClassView.h"
#include "cache/widgets/CTabResourceView.h"
#include "files/WholeFile.h"
#include "testing/ListStore.h"
#include "testing/ListTabTestBed.h"
#include "testing/WidgetTestSupport.h"

namespace vantry::cache {

namespace {

using Texts = std::vector<std::string>;

const char* kGif = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n";

class ListTabViewsTest : public ::testing::Test, protected testing::ListTabTestBed {
 protected:
  ListTabViewsTest() {
    EXPECT_EQ(store.AddEntry(testing::PageEntry("http://b.example/index.html")), STORE_OK);
    EXPECT_EQ(store.AddEntry(testing::PageEntry("http://a.example/pic.gif", kGif)), STORE_OK);
    EXPECT_EQ(store.RecordVisit("http://a.example/", FileTimeNow(), 1), STORE_OK);
    EXPECT_EQ(store.SetCookie(Cookie{"id", "42", "a.example", "/", 0, 0, 0}), STORE_OK);
    EXPECT_EQ(store.AddEntry(testing::PageEntry("HTTP://C.example/", "Content-Type: text/html")), STORE_OK);
    storeOrder = testing::StoredUrls(store);
  }

  // The view with its items listed, ready for a user's selection.
  template <typename View>
  void Expand(View& view) {
    view.expand(view.Model().RootIndex());
    ASSERT_TRUE(view.isExpanded(view.Model().RootIndex()));
  }

  Texts Leaves(const ListTabView& view) { return testing::ChildTexts(view.Model(), view.Model().RootIndex()); }

  void Select(ListTabView& view, const std::string& text) {
    if (!testing::SelectChild(view, view.Model(), text)) ADD_FAILURE() << "no item " << text;
  }

  ShowMask mask;
  Texts storeOrder;
};

}  // namespace

TEST_F(ListTabViewsTest, AccessSortStartsCollapsedWithItsBoldRootAndPlaceholder) {
  CTabResourceView view(context);
  view.BuildInitialList();
  EXPECT_EQ(view.RootText(), "Cached Url's");
  EXPECT_TRUE(view.Model().data(view.Model().RootIndex(), Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(Leaves(view), Texts{"yLast"});
  EXPECT_FALSE(view.isExpanded(view.Model().RootIndex()));
  EXPECT_TRUE(panes.calls.empty());
}

TEST_F(ListTabViewsTest, AccessSortExpandsToEveryEntryInStoreOrderAndPublishes) {
  CTabResourceView view(context);
  view.BuildInitialList();
  Expand(view);
  EXPECT_EQ(Leaves(view), storeOrder);
  EXPECT_EQ(frame.lastExpanded, &view);
  EXPECT_EQ(frame.progressBarRequests, 1);
  EXPECT_EQ(frame.progressResets, 1);
  EXPECT_EQ(frame.statusTexts, Texts{"Ready"});
  EXPECT_EQ(frame.publications, 1);
  EXPECT_EQ(frame.published[CacheStatistics::kTotal], 5u);
  EXPECT_EQ(frame.published[CacheStatistics::kCookie], 1u);
  EXPECT_EQ(frame.published[CacheStatistics::kHistory], 1u);
  EXPECT_EQ(panes.shownStatistics, frame.published);
  EXPECT_TRUE(view.IsExpanded());
}

TEST_F(ListTabViewsTest, AccessSortSelectionShowsTheEntryAndDecodesCookieFiles) {
  CTabResourceView view(context);
  view.BuildInitialList();
  Expand(view);
  request.mode = SearchRequest::kSubstring;
  panes.calls.clear();
  Select(view, "http://a.example/pic.gif");
  EXPECT_EQ(panes.calls,
            (Texts{"show http://a.example/pic.gif | " + LookupEntry(store, "http://a.example/pic.gif")->localFileName,
                   "properties http://a.example/pic.gif", "bytes id=42", "cookie text id=42"}));
  EXPECT_EQ(frame.addresses, Texts{"http://a.example/pic.gif"});
  EXPECT_EQ(request.mode, SearchRequest::kNone);

  const std::string cookieKey = storeOrder[3];
  std::string cookieFile = *files::ReadWholeFile(LookupEntry(store, cookieKey)->localFileName);
  panes.calls.clear();
  Select(view, cookieKey);
  EXPECT_EQ(panes.calls.back(), "decode " + std::to_string(cookieFile.size()));
  EXPECT_TRUE(panes.decodedBytes.starts_with("id\n42\na.example/\n"));
}

TEST_F(ListTabViewsTest, AccessSortCollapseAndResetThrowTheItemsAway) {
  CTabResourceView view(context);
  view.BuildInitialList();
  Expand(view);
  view.collapse(view.Model().RootIndex());
  EXPECT_EQ(view.RootText(), "Cached URL's");
  EXPECT_EQ(Leaves(view), Texts{""});
  EXPECT_EQ(frame.addresses, Texts{""});
  EXPECT_EQ(frame.registrations, 2);
  EXPECT_FALSE(view.IsExpanded());

  view.ResetList();  // collapsed: nothing happens
  EXPECT_EQ(view.RootText(), "Cached URL's");
  EXPECT_EQ(frame.addresses.size(), 1u);

  CacheStatistics first = frame.published;
  Expand(view);
  EXPECT_EQ(Leaves(view), storeOrder);
  EXPECT_EQ(frame.published, first);

  ASSERT_EQ(store.DeleteEntry("http://b.example/index.html"), STORE_OK);
  view.ResetList();
  EXPECT_EQ(view.RootText(), "Cached Url's");
  EXPECT_EQ(Leaves(view), Texts{""});
  EXPECT_EQ(frame.addresses.back(), "");
  EXPECT_FALSE(view.IsExpanded());
  Expand(view);
  EXPECT_EQ(Leaves(view), Texts(storeOrder.begin() + 1, storeOrder.end()));
}

TEST_F(ListTabViewsTest, FirstSelectionChangeAfterEachRebuildIsTheSwallowedRootSelection) {
  CTabResourceView view(context);
  view.BuildInitialList();
  EXPECT_EQ(view.currentIndex(), view.Model().RootIndex());
  Expand(view);
  EXPECT_EQ(panes.calls, Texts{"statistics"});
  EXPECT_TRUE(frame.addresses.empty());
  Select(view, storeOrder[0]);
  EXPECT_EQ(frame.addresses, Texts{storeOrder[0]});

  view.ResetList();
  EXPECT_EQ(view.currentIndex(), view.Model().RootIndex());
  Expand(view);
  Select(view, storeOrder[1]);
  EXPECT_EQ(frame.addresses.back(), storeOrder[1]);

  // Selecting the root once the count has passed the first change looks up its text.
  view.ClearSelection();
  view.setCurrentIndex(view.Model().RootIndex());
  EXPECT_EQ(frame.addresses.back(), "Cached Url's");
}

TEST_F(ListTabViewsTest, RemoveItemDeletesTheFirstLeafWithThatText) {
  CTabResourceView view(context);
  view.BuildInitialList();
  Expand(view);
  EXPECT_TRUE(view.RemoveItem("http://a.example/pic.gif", 1));
  EXPECT_FALSE(view.RemoveItem("http://a.example/pic.gif", 1));
  EXPECT_EQ(Leaves(view).size(), storeOrder.size() - 1);
}

TEST_F(ListTabViewsTest, AccessSortOfAnEmptyStoreHasARootWithoutChildren) {
  testing::TempFolder emptyFolder;
  SqliteUrlCacheStore empty(emptyFolder.path() / "store");
  ListTabContext emptyContext{empty, frame, panes, current, request};
  CTabResourceView view(emptyContext);
  view.BuildInitialList();
  view.expand(view.Model().RootIndex());
  EXPECT_TRUE(Leaves(view).empty());
  EXPECT_EQ(frame.published, CacheStatistics{});
  EXPECT_EQ(frame.publications, 1);
  EXPECT_EQ(frame.statusTexts.back(), "Ready");
}

TEST_F(ListTabViewsTest, AlphaSortListsEntriesWithHeadersSortedAndReportsTheSort) {
  CTabClassView view(context, mask);
  view.BuildInitialList();
  EXPECT_EQ(view.RootText(), "Cached Url's");
  Expand(view);
  EXPECT_EQ(Leaves(view), (Texts{"http://a.example/pic.gif", "http://b.example/index.html", "HTTP://C.example/"}));
  EXPECT_EQ(frame.statusTexts, (Texts{"Wait! Sorting!", "Ready"}));
  EXPECT_EQ(frame.published[CacheStatistics::kTotal], 5u);
  EXPECT_TRUE(view.IsExpanded());
  EXPECT_FALSE(view.FindUsed());
}

TEST_F(ListTabViewsTest, AlphaSortTakesTheAddressRequestUntilAnEntryIsShown) {
  CTabClassView view(context, mask);
  view.BuildInitialList();
  ParseAddressRequest("*.gif", request);
  Expand(view);
  EXPECT_EQ(Leaves(view), Texts{"http://a.example/pic.gif"});

  view.collapse(view.Model().RootIndex());
  EXPECT_EQ(view.RootText(), "Cached Url's");
  EXPECT_TRUE(frame.addresses.empty());  // collapsing keeps the address box
  EXPECT_FALSE(view.IsExpanded());
  ParseAddressRequest("nothing-like-this", request);
  Expand(view);
  EXPECT_EQ(Leaves(view), Texts{"None"});

  Select(view, "None");
  EXPECT_EQ(frame.addresses, Texts{"None"});
  EXPECT_EQ(request.mode, SearchRequest::kSubstring);  // nothing was found under "None"

  view.collapse(view.Model().RootIndex());
  ParseAddressRequest("*.gif", request);
  Expand(view);
  Select(view, "http://a.example/pic.gif");
  EXPECT_EQ(request.mode, SearchRequest::kNone);
  view.collapse(view.Model().RootIndex());
  Expand(view);
  EXPECT_EQ(Leaves(view).size(), 3u);
}

TEST_F(ListTabViewsTest, AlphaSortResetKeepsTheExpandedFlagAndFindUsesTheShowMask) {
  CTabClassView view(context, mask);
  view.BuildInitialList();
  view.ResetList();
  EXPECT_EQ(Leaves(view), Texts{"xAlpha"});  // never expanded: nothing happens

  Expand(view);
  view.ResetList();
  EXPECT_EQ(Leaves(view), Texts{""});
  EXPECT_EQ(frame.addresses, Texts{""});
  EXPECT_TRUE(view.IsExpanded());

  mask.bits = 0;
  view.ExpandForFind();
  EXPECT_TRUE(view.FindUsed());
  EXPECT_EQ(Leaves(view), Texts{"None"});

  mask.bits = ShowMask::kImage;
  view.ExpandForFind();
  EXPECT_EQ(Leaves(view), Texts{"http://a.example/pic.gif"});
  EXPECT_EQ(frame.lastExpanded, &view);

  // After a Find every later expansion keeps the mask.
  view.collapse(view.Model().RootIndex());
  request.mode = SearchRequest::kEverything;
  Expand(view);
  EXPECT_EQ(Leaves(view), Texts{"http://a.example/pic.gif"});
}

TEST_F(ListTabViewsTest, AlphaSortSelectionDoesNotDecodeCookieFiles) {
  request.mode = SearchRequest::kEverything;
  CTabClassView view(context, mask);
  view.BuildInitialList();
  Expand(view);
  panes.calls.clear();
  Select(view, "http://b.example/index.html");
  EXPECT_EQ(panes.calls.at(1), "properties http://b.example/index.html");
  EXPECT_TRUE(panes.calls.back().starts_with("file ")) << panes.calls.back();  // its cached file, nothing decoded
}

// A stopped expansion leaves the tab as a collapse would, and the next expansion lists all.
TEST_F(ListTabViewsTest, StoppedExpansionCollapsesAgainAndPublishesNothing) {
  CTabResourceView access(context);
  CTabClassView alpha(context, mask);
  Texts alphaLeaves = {"http://b.example/index.html", "http://a.example/pic.gif", "HTTP://C.example/"};
  SortListTexts(alphaLeaves);
  const std::pair<ListTabView*, Texts> rows[] = {{&access, storeOrder}, {&alpha, alphaLeaves}};
  for (const auto& [view, leaves] : rows) {
    view->BuildInitialList();
    frame.stopAtAdvance = 2;
    view->expand(view->Model().RootIndex());
    EXPECT_FALSE(view->isExpanded(view->Model().RootIndex())) << view->RootText();
    EXPECT_EQ(Leaves(*view), Texts{""});
    EXPECT_EQ(frame.works.back().advances, 2u);
    EXPECT_TRUE(frame.works.back().ended);
    EXPECT_EQ(frame.publications, 0);
    EXPECT_TRUE(panes.calls.empty());

    frame.stopAtAdvance = 0;
    Expand(*view);
    EXPECT_EQ(Leaves(*view), leaves);
    EXPECT_EQ(frame.works.back().last, std::make_pair(uint64_t{5}, uint64_t{0}));
    frame.publications = 0;
    panes.calls.clear();
  }
}

}  // namespace vantry::cache

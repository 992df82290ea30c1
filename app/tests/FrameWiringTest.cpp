// The real lists, output bar and memory bar inside the frame, working on one store.
#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/FrameStatusBar.h"
#include "app/tests/FrameTestSupport.h"
#include "cache/store/StatisticsText.h"
#include "cache/widgets/CTabClassView.h"
#include "cache/widgets/CTabResourceView.h"
#include "files/WholeFile.h"
#include "inspect/history/widgets/CTabFileView.h"
#include "inspect/tests/BrowserSamples.h"
#include "inspect/widgets/CMemoryBar.h"
#include "inspect/widgets/COutputBar.h"
#include "inspect/widgets/HexView.h"
#include "testing/ListStore.h"

namespace vantry::app {

namespace {

using Texts = std::vector<std::string>;

const char* kGifHeaders = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\nContent-Length: 3\r\n";

// A frame on a store with two pages, a cookie of a.example and a visit of it.
class FrameWiringTest : public FrameTest {
 protected:
  FrameWiringTest() {
    EXPECT_EQ(store_->AddEntry(testing::PageEntry("http://b.example/index.html")), cache::STORE_OK);
    EXPECT_EQ(
        store_->AddEntry(testing::PageEntry("http://a.example/pic.gif", kGifHeaders, cache::NORMAL_CACHE_ENTRY, "GIF")),
        cache::STORE_OK);
    EXPECT_EQ(store_->SetCookie(cache::Cookie{"id", "42", "a.example", "/", 0, 0, 0}), cache::STORE_OK);
    EXPECT_EQ(store_->RecordVisit("http://a.example/", cache::FileTimeNow(), 1), cache::STORE_OK);
    frame = MakeFrame();
  }

  static Texts Leaves(const cache::ListTabView& view) {
    const cache::TabTreeModel& model = view.Model();
    Texts texts;
    for (int row = 0; row < model.rowCount(model.RootIndex()); ++row)
      texts.emplace_back(model.TextAt(model.index(row, 0, model.RootIndex())));
    return texts;
  }

  // The list's "Cookie:" entry (the store holds one); empty when there is none.
  static std::string CookieLeaf(const cache::ListTabView& view) {
    std::string cookieKey;
    for (const std::string& leaf : Leaves(view))
      if (leaf.starts_with("Cookie:")) cookieKey = leaf;
    return cookieKey;
  }

  static void Expand(cache::ListTabView& view) { view.expand(view.Model().RootIndex()); }

  static void Select(cache::ListTabView& view, std::string_view text) {
    const cache::TabTreeModel& model = view.Model();
    for (int row = 0; row < model.rowCount(model.RootIndex()); ++row) {
      QModelIndex item = model.index(row, 0, model.RootIndex());
      if (model.TextAt(item) == text) return view.setCurrentIndex(item);
    }
    ADD_FAILURE() << "no item " << text;
  }

  Texts Page(int page) const { return frame->outputView()->PageLines(page); }

  std::unique_ptr<CMainFrame> frame;
};

TEST_F(FrameWiringTest, TheThreeTabsAreTheRealListsOverTheFramesStore) {
  const std::pair<cache::ListTabView*, const char*> tabs[] = {{frame->alphaSortView(), "AlphaSort"},
                                                              {frame->accessSortView(), "AccessSort"},
                                                              {frame->historyView(), "History"}};
  for (int i = 0; i < 3; ++i) {
    auto [view, name] = tabs[i];
    ASSERT_NE(view, nullptr) << name;
    EXPECT_EQ(frame->workspaceTabs()->widget(i), view) << name;
    EXPECT_EQ(frame->workspaceTabs()->tabText(i), name);
    EXPECT_EQ(view->objectName(), name);
    EXPECT_FALSE(view->isExpanded(view->Model().RootIndex())) << name;
  }
  EXPECT_EQ(frame->outputBar()->widget(), frame->outputView());
  EXPECT_EQ(frame->memoryBar()->widget(), frame->memoryView());
}

TEST_F(FrameWiringTest, AccessSortExpandsAndPublishesItsFiguresToTheFrameAndTheOutputBar) {
  cache::CTabResourceView& view = *frame->accessSortView();
  Expand(view);
  EXPECT_EQ(Leaves(view), testing::StoredUrls(*store_));
  EXPECT_EQ(frame->PublishedStatistics()[cache::CacheStatistics::kTotal], 4u);
  EXPECT_EQ(frame->PublishedStatistics()[cache::CacheStatistics::kCookie], 1u);
  EXPECT_EQ(frame->LastExpandedList(), &view);
  EXPECT_EQ(frame->outputView()->CurrentPage(), inspect::COutputBar::kPropertiesPage);
  EXPECT_EQ(Page(inspect::COutputBar::kPropertiesPage), cache::StatisticsLines(frame->PublishedStatistics()));

  // Properties now shows the figures instead of the hint.
  ModalSeen seen = RunModal([&] { frame->action(CommandId::Properties)->trigger(); });
  EXPECT_EQ(seen.title, "Properties");
  EXPECT_EQ(seen.text.toStdString(), cache::PropertiesText(frame->PublishedStatistics()));
  EXPECT_FALSE(seen.text.contains("You must first expand"));
}

TEST_F(FrameWiringTest, SelectingALeafFillsAddressBoxPaneOutputBarAndMemoryBar) {
  cache::CTabResourceView& view = *frame->accessSortView();
  Expand(view);
  pane_->calls.clear();
  Select(view, "http://a.example/pic.gif");

  EXPECT_EQ(frame->addressBox()->currentText(), "http://a.example/pic.gif");
  EXPECT_EQ(frame->currentEntry().address, "http://a.example/pic.gif");
  EXPECT_EQ(frame->currentEntry().localFileName,
            cache::LookupEntry(*store_, "http://a.example/pic.gif")->localFileName);
  EXPECT_EQ(pane_->calls, Texts{"ShowEntry http://a.example/pic.gif address"});

  const Texts properties = Page(inspect::COutputBar::kCacheEntryPage);
  ASSERT_FALSE(properties.empty());
  EXPECT_NE(properties.front().find("http://a.example/pic.gif"), std::string::npos) << properties.front();
  // The cookie of the address: its text split on the Cookie page, its bytes in hex.
  EXPECT_EQ(frame->outputView()->CurrentPage(), inspect::COutputBar::kCookiePage);
  EXPECT_EQ(Page(inspect::COutputBar::kCookiePage).front(), "Set One: id=42");
  EXPECT_EQ(frame->memoryView()->AddressDefault(), "5");

  // Strip shows the same entry again by its cached file.
  frame->action(CommandId::Strip)->trigger();
  EXPECT_EQ(pane_->calls.back(), "ShowEntry http://a.example/pic.gif local");
}

// An entry imported from a browser says where it came from after the lines every entry
// has; one that was not imported shows none of them.
TEST_F(FrameWiringTest, TheCacheEntryPageEndsWithWhereAnImportedEntryCameFrom) {
  cache::NewEntry imported = testing::PageEntry("http://c.example/", "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n");
  imported.origin = cache::EntryOrigin{"Chromium (Flatpak)", "Person 1", "/home/u/.var/app/chromium/Default",
                                       "/home/u/.var/app/chromium/Cache_Data/48290b99e7a40ff8_0"};
  ASSERT_EQ(store_->AddEntry(imported), cache::STORE_OK);
  cache::CTabResourceView& view = *frame->accessSortView();
  Expand(view);

  Select(view, "http://c.example/");
  Texts lines = Page(inspect::COutputBar::kCacheEntryPage);
  ASSERT_EQ(lines.size(), 11u + 3u + 3u);
  EXPECT_EQ(lines[12], "Server: x");
  EXPECT_EQ(Texts(lines.end() - 3, lines.end()),
            (Texts{"Imported From: Chromium (Flatpak), profile \"Person 1\"",
                   "Profile Folder: /home/u/.var/app/chromium/Default",
                   "Entry File: /home/u/.var/app/chromium/Cache_Data/48290b99e7a40ff8_0"}));

  Select(view, "http://b.example/index.html");
  lines = Page(inspect::COutputBar::kCacheEntryPage);
  EXPECT_EQ(lines.size(), 11u + 2u);
  EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.starts_with("Imported From: "); }));
}

TEST_F(FrameWiringTest, AccessSortDecodesTheCookieFileOfACookieEntry) {
  cache::CTabResourceView& view = *frame->accessSortView();
  Expand(view);
  const std::string cookieKey = CookieLeaf(view);
  ASSERT_FALSE(cookieKey.empty());
  Select(view, cookieKey);
  EXPECT_EQ(frame->outputView()->CurrentPage(), inspect::COutputBar::kCookiePage);
  const Texts decoded = Page(inspect::COutputBar::kCookiePage);
  EXPECT_TRUE(std::any_of(decoded.begin(), decoded.end(),
                          [](const std::string& line) { return line.find("42") != std::string::npos; }));
}

// Browsing never raises a box: every header line is on the CacheEntry page, the status bar
// says once that the page holds more than eight, and the next entry's line replaces it.
TEST_F(FrameWiringTest, EveryHeaderLineWithoutABoxAndOneStatusLine) {
  const inspect::HeaderSample& sample = inspect::HeaderSamples()[1];  // 12 lines
  std::string headers;
  for (const std::string& line : sample.lines) headers += line + "\r\n";
  ASSERT_EQ(store_->AddEntry(testing::PageEntry("http://c.example/api.json", headers + "\r\n")), cache::STORE_OK);
  cache::CTabResourceView& view = *frame->accessSortView();
  Expand(view);
  QStringList modals;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modals << modal->windowTitle();
      modal->close();
    }
  });
  watch.start(10);
  Select(view, "http://c.example/api.json");
  QApplication::processEvents();
  const Texts lines = Page(inspect::COutputBar::kCacheEntryPage);
  ASSERT_EQ(lines.size(), 11 + sample.lines.size() + 1);
  EXPECT_TRUE(std::equal(sample.lines.begin(), sample.lines.end(), lines.begin() + 11));
  EXPECT_EQ(frame->frameStatusBar()->message().toStdString(),
            "Whole header shown: 13 lines, " + std::to_string(headers.size() + 1) + " characters");
  Select(view, "http://b.example/index.html");
  QApplication::processEvents();
  EXPECT_EQ(frame->frameStatusBar()->message(), "Ready");
  EXPECT_TRUE(modals.isEmpty()) << modals.join(", ").toStdString();
}

// A history or cookie entry shows the page it belongs to when the cache holds it, else a
// blank pane; the memory bar shows a cookie entry's cookie file.
TEST_F(FrameWiringTest, CookieAndHistoryEntriesShowTheirPageOrClearThePane) {
  frame->show();  // the memory bar reads files only while it is visible
  cache::CTabResourceView& view = *frame->accessSortView();
  Expand(view);
  const std::string cookieKey = CookieLeaf(view);
  ASSERT_FALSE(cookieKey.empty());
  const std::string historyKey = "Visited: @http://a.example/";
  pane_->calls.clear();
  Select(view, historyKey);
  Select(view, cookieKey);
  EXPECT_EQ(pane_->calls, (Texts{"ShowEntry  address", "ShowEntry  address"}));
  const std::string cookieFile = cache::LookupEntry(*store_, cookieKey)->localFileName;
  EXPECT_EQ(frame->memoryView()->View()->Model().Data(), files::ReadWholeFile(cookieFile).value_or("?"));
  EXPECT_EQ(frame->currentEntry().address, cookieKey);  // the commands still act on the entry itself

  ASSERT_EQ(store_->AddEntry(testing::PageEntry("http://a.example/")), cache::STORE_OK);
  pane_->calls.clear();
  Select(view, historyKey);
  Select(view, cookieKey);
  EXPECT_EQ(pane_->calls, (Texts{"ShowEntry http://a.example/ address", "ShowEntry http://a.example/ address"}));
}

TEST_F(FrameWiringTest, TheAddressBoxRequestNarrowsTheAlphabeticalList) {
  const std::pair<const char*, Texts> requests[] = {
      {"*.gif", {"http://a.example/pic.gif"}},
      {"index", {"http://b.example/index.html"}},
      {"*.*", {"http://a.example/pic.gif", "http://b.example/index.html"}},
  };
  for (const auto& [typed, expected] : requests) {
    frame->addressBox()->setEditText(QString::fromLatin1(typed));
    emit frame->addressBox()->lineEdit()->editingFinished();
    cache::CTabClassView& view = *frame->alphaSortView();
    Expand(view);
    EXPECT_EQ(Leaves(view), expected) << typed;
    view.collapse(view.Model().RootIndex());
  }
}

TEST_F(FrameWiringTest, HistoryListsTheVisitUnderItsAgeFolder) {
  inspect::CTabFileView& view = *frame->historyView();
  Expand(view);
  const cache::TabTreeModel& model = view.Model();
  Texts visits;
  for (int folder = 0; folder < model.rowCount(model.RootIndex()); ++folder) {
    QModelIndex parent = model.index(folder, 0, model.RootIndex());
    for (int row = 0; row < model.rowCount(parent); ++row)
      visits.emplace_back(model.TextAt(model.index(row, 0, parent)));
  }
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_NE(visits[0].find("http://a.example/"), std::string::npos) << visits[0];
}

TEST_F(FrameWiringTest, ASearchResultNamingACacheKeyShowsItsFileAndAddress) {
  const std::string local = cache::LookupEntry(*store_, "http://b.example/index.html")->localFileName;
  inspect::COutputBar& bar = *frame->outputView();
  bar.ShowFindResults({local + " :   <html>"});
  bar.PageList(inspect::COutputBar::kFindPage)->setCurrentRow(0);
  pane_->calls.clear();
  bar.OpenSelectedSearchResult();
  EXPECT_EQ(pane_->calls, Texts{"ShowAddress " + local});
  EXPECT_EQ(frame->addressBox()->currentText(), "http://b.example/index.html");
}

}  // namespace

}  // namespace vantry::app

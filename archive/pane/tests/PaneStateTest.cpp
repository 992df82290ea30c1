#include "archive/pane/PaneState.h"

#include <fstream>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"

namespace vantry::archive {

namespace {

const cache::CurrentEntry kEntry{"http://h/a.html", "/store/content/0/a.html"};

PaneTarget NavigateTo(const std::string& address) { return {PaneTarget::Action::Navigate, address}; }
const PaneTarget kClear{PaneTarget::Action::Clear, ""};

TEST(PaneStateTest, StartsQuietAndNavigatesToEntriesOnlyAfterTheStartPage) {
  PaneState state;
  EXPECT_TRUE(state.quiet());
  EXPECT_FALSE(state.initialised());
  EXPECT_EQ(state.TargetForEntry(kEntry, false), PaneTarget{});

  state.StartPage("/work/dir");
  EXPECT_TRUE(state.initialised());
  EXPECT_EQ(state.TargetForEntry(kEntry, false), NavigateTo(kEntry.address));
  EXPECT_EQ(state.TargetForEntry(kEntry, true), NavigateTo(kEntry.localFileName));
}

TEST(PaneStateTest, AnEntryWithNothingToShowInTheChosenWayClearsThePage) {
  PaneState state;
  state.StartPage("/");
  EXPECT_EQ(state.TargetForEntry({}, false), kClear);
  EXPECT_EQ(state.TargetForEntry({"http://h/", ""}, true), kClear);
  EXPECT_EQ(state.TargetForEntry({"http://h/", "None"}, true), kClear);
  EXPECT_EQ(state.TargetForEntry({"http://h/", "None"}, false), NavigateTo("http://h/"));
}

TEST(PaneStateTest, StartPageOfTheWorkingFolderElseTheProgramsOwn) {
  testing::TempFolder withPage, without;
  std::ofstream(withPage.path() / "ebstract.htm") << "<p>mine</p>";
  std::filesystem::create_directory(without.path() / "ebstract.htm");  // a folder is no page
  struct Row {
    std::string folder;
    std::string expected;
  } rows[] = {
      {withPage.path().string(), (withPage.path() / "ebstract.htm").string()},
      {withPage.path().string() + "/", (withPage.path() / "ebstract.htm").string()},
      {without.path().string(), "qrc:/vantry/ebstract.htm"},
      {(without.path() / "missing").string(), "qrc:/vantry/ebstract.htm"},
      {"", "qrc:/vantry/ebstract.htm"},
  };
  for (const Row& row : rows) EXPECT_EQ(PaneState().StartPage(row.folder), row.expected) << row.folder;
}

TEST(PaneStateTest, SaveRawAsProposesThePagesFileName) {
  struct Row {
    const char* address;
    const char* expected;
  } rows[] = {
      {"vantry-http://127.0.0.1:8081/a/b/page.html?from=start", "page.html"},
      {"vantry-https://news.example/story.asp#top", "story.asp"},
      {"vantry-http://127.0.0.1:8081/", "index.html"},
      {"vantry-http://127.0.0.1:8081", "index.html"},
      {"file:///store/content/c2/page%5B3%5D.html", "page%5B3%5D.html"},
      {"qrc:/vantry/help.html", "help.html"},
      {"about:blank", "blank"},
      {"", "index.html"},
  };
  for (const Row& row : rows) EXPECT_EQ(SuggestedSaveName(row.address), row.expected) << row.address;
}

TEST(PaneStateTest, QuietToggleTwiceRestoresTheState) {
  PaneState state;
  EXPECT_FALSE(state.ToggleQuiet());
  EXPECT_TRUE(state.ToggleQuiet());
  EXPECT_TRUE(state.quiet());
}

TEST(PaneStateTest, FontSizesGrowFromSmallestToLargestWithMediumAtNormalSize) {
  EXPECT_DOUBLE_EQ(ZoomFactorFor(FontSize::Medium), 1.0);
  for (int size = 1; size <= 4; ++size)
    EXPECT_LT(ZoomFactorFor(FontSize(size - 1)), ZoomFactorFor(FontSize(size))) << size;
}

TEST(PaneStateTest, OpenFilePatternBecomesQtNameFilters) {
  struct Case {
    const char* pattern;
    const char* filters;
  };
  const Case cases[] = {
      {"HTML Files|*.htm;*.html|All Files|*.*||", "HTML Files (*.htm *.html);;All Files (*.*)"},
      {"Text|*.txt", "Text (*.txt)"},
      {"Broken", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NameFilterFromPattern(c.pattern), c.filters) << c.pattern;
  EXPECT_EQ(NameFilterFromPattern(kOpenFilePattern),
            "HTML Files (*.htm *.html);;Text Files (*.txt);;GIF Files (*.gif);;JPEG Files (*.jpg *.jpeg);;"
            "AU Files (*.au);;AIFF Files (*.aif *.aiff);;XBM Files (*.xbm);;All Files (*.*)");
}

}  // namespace

}  // namespace vantry::archive

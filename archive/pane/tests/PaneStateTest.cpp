#include "archive/pane/PaneState.h"

#include <gtest/gtest.h>

namespace vantry::archive {

namespace {

const cache::CurrentEntry kEntry{"http://h/a.html", "/store/content/0/a.html"};

TEST(PaneStateTest, StartsQuietAndNavigatesToEntriesOnlyAfterTheStartPage) {
  PaneState state;
  EXPECT_TRUE(state.quiet());
  EXPECT_FALSE(state.initialised());
  EXPECT_EQ(state.TargetForEntry(kEntry, false), std::nullopt);

  EXPECT_EQ(state.StartPage("/work/dir"), "/work/dir/ebstract.htm");
  EXPECT_TRUE(state.initialised());
  EXPECT_EQ(state.TargetForEntry(kEntry, false), kEntry.address);
  EXPECT_EQ(state.TargetForEntry(kEntry, true), kEntry.localFileName);
}

TEST(PaneStateTest, AnEntryWithNothingToShowInTheChosenWayKeepsThePage) {
  PaneState state;
  state.StartPage("/");
  EXPECT_EQ(state.TargetForEntry({}, false), std::nullopt);
  EXPECT_EQ(state.TargetForEntry({"http://h/", ""}, true), std::nullopt);
  EXPECT_EQ(state.TargetForEntry({"http://h/", "None"}, true), std::nullopt);
  EXPECT_EQ(state.TargetForEntry({"http://h/", "None"}, false), "http://h/");
  EXPECT_EQ(state.StartPage("/"), "/ebstract.htm");
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

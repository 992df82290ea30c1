#include "archive/ReplaceInFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

TEST(ReplaceInFile, ReplacesEveryOccurrence) {
  struct Case {
    const char* text;
    const char* search;
    const char* replacement;
    const char* expected;
  };
  const Case cases[] = {
      {"abab", "ab", "X", "XX"},
      {"aaab", "aab", "X", "aX"},
      {"aaa", "aa", "X", "Xa"},
      {"x.gifx.gif", "x.gif", "images/s_x.gif", "images/s_x.gifimages/s_x.gif"},
      {"<a href=\"b.htm\">see b.htm, xb.htm</a>", "b.htm", "s_b.htm", "<a href=\"s_b.htm\">see s_b.htm, xs_b.htm</a>"},
      {"ends with search", "search", "S", "ends with S"},
      {"no match here", "zz", "Y", "no match here"},
      {"ab", "ab", "", ""},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    const std::string path = folder / "page.tmp";
    testing::WriteTestFile(path, c.text);
    ASSERT_TRUE(ReplaceInFile(path, c.search, c.replacement)) << c.text;
    EXPECT_EQ(testing::ReadTestFile(path), c.expected) << c.text;
    EXPECT_EQ(testing::ReadTestFile(folder / "page.bak"), c.text);
    EXPECT_FALSE(std::filesystem::exists(folder / "$$$$.ERS"));
  }
}

TEST(ReplaceInFile, EqualOrEmptySearchTouchesNothing) {
  testing::TempFolder folder;
  const std::string path = folder / "page.tmp";
  testing::WriteTestFile(path, "abc");
  EXPECT_TRUE(ReplaceInFile(path, "b", "b"));
  EXPECT_TRUE(ReplaceInFile(path, "", "x"));
  EXPECT_EQ(testing::ReadTestFile(path), "abc");
  EXPECT_FALSE(std::filesystem::exists(folder / "page.bak"));
}

TEST(ReplaceInFile, LeavesAnUnreadableFileAlone) {
  testing::TempFolder folder;
  EXPECT_FALSE(ReplaceInFile(folder / "missing.tmp", "a", "b"));
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.tmp"));
}

TEST(ReplaceInFile, NamesItsWorkingFilesBesideTheFile) {
  EXPECT_EQ(ReplacementTempPath("/t/vantry.tmp"), "/t/$$$$.ERS");
  EXPECT_EQ(ReplacementBackupPath("/t/vantry.tmp"), "/t/vantry.bak");
  EXPECT_EQ(ReplacementBackupPath("/t.d/noext"), "/t.d/noext.bak");
  EXPECT_EQ(ReplacementBackupPath("a.b.c"), "a.b.bak");
}

}  // namespace
}  // namespace vantry::archive

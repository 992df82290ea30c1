#include "tools/rquenz/StartChoice.h"

#include <gtest/gtest.h>

namespace rquenz {

TEST(ChooseStart, PrefixPicksStartFolderAndPattern) {
  struct Case {
    const char* argument;
    bool fromRoot;
    const char* pattern;
  };
  const Case cases[] = {
      {"*.txt", false, "*.txt"},
      {"./*.txt", false, "*.txt"},
      {"/*.txt", true, "*.txt"},
      {"/docs/*.htm", true, "docs/*.htm"},
      {"./docs/*.htm", false, "docs/*.htm"},
      {"docs/*.htm", false, "docs/*.htm"},
      {".hidden", false, ".hidden"},    // a dot without a slash is part of the name
      {"../*.txt", false, "../*.txt"},  // only "./" is a prefix
      {"/", true, ""},
      {"./", false, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    const StartChoice choice = ChooseStart(c.argument);
    EXPECT_EQ(choice.fromRoot, c.fromRoot) << c.argument;
    EXPECT_EQ(choice.pattern, c.pattern) << c.argument;
  }
}

TEST(SplitPattern, LastSlashSeparatesFolderFromName) {
  struct Case {
    const char* pattern;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
      {"*.txt", "", "*.txt"},
      {"docs/*.htm", "docs", "*.htm"},
      {"a/b/c?.htm", "a/b", "c?.htm"},
      {"docs/", "docs", ""},
      {"/x", "/", "x"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const NamePattern split = SplitPattern(c.pattern);
    EXPECT_EQ(split.folder, c.folder) << c.pattern;
    EXPECT_EQ(split.name, c.name) << c.pattern;
  }
}

}  // namespace rquenz

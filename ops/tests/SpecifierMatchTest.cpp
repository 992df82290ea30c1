#include "ops/SpecifierMatch.h"

#include <gtest/gtest.h>

namespace vantry::ops {
namespace {

TEST(SpecifierMatchTest, FormsTheKeyOfEachSpecifierShape) {
  using Mode = SpecifierMatch::Mode;
  struct Row {
    const char* specifier;
    Mode mode;
    const char* key;
  };
  const Row rows[] = {
      {"*", Mode::Every, ""},
      {"*.*", Mode::Every, ""},
      {"*.*gif", Mode::FileName, "gif"},
      {"*.gif", Mode::FileName, ".gif"},
      {"*anyfile*", Mode::FileName, "anyfile"},
      {"help*.htm", Mode::FileName, "help"},
      {"anyfile.*", Mode::FileName, "anyfile."},
      {"**", Mode::FileName, ""},
      {"www.example.org", Mode::Address, "www.example.org"},
      {"ab", Mode::Address, "ab"},
  };
  for (const Row& row : rows) {
    SpecifierMatch match = MakeSpecifierMatch(row.specifier);
    EXPECT_EQ(match.mode, row.mode) << row.specifier;
    EXPECT_EQ(match.key, row.key) << row.specifier;
  }
}

TEST(SpecifierMatchTest, FileNamePartFollowsTheLastSeparatorThatIsNotFinal) {
  const std::pair<const char*, const char*> rows[] = {
      {"http://h/a/b/c.gif", "c.gif"},
      {"http://h/dir/", "dir/"},
      {"C:\\x\\y.htm", "y.htm"},
      {"plain", "plain"},
      {"", ""},
      {"/", "/"},
  };
  for (const auto& [path, name] : rows) EXPECT_EQ(FileNamePart(path), name) << path;
}

TEST(SpecifierMatchTest, MatchesCaseSensitiveSubstringsOfTheRightPart) {
  struct Row {
    const char* specifier;
    const char* address;
    bool matches;
  };
  const Row rows[] = {
      {"*.gif", "http://h/pics/a.gif", true},
      {"*.gif", "http://h/pics/a.GIF", false},
      {"*.gif", "http://h/a.gif/next", false},  // the file-name part is "next"
      {"*.*gif", "http://h/a.agif", true},
      {"help*.htm", "http://h/help/index.htm", false},
      {"help*.htm", "http://h/x/helpme.htm", true},
      {"h/help", "http://h/help/index.htm", true},  // address mode looks everywhere
      {"H/help", "http://h/help/index.htm", false},
      {"*", "anything at all", true},
  };
  for (const Row& row : rows)
    EXPECT_EQ(MatchesSpecifier(MakeSpecifierMatch(row.specifier), row.address), row.matches)
        << row.specifier << " on " << row.address;
}

}  // namespace
}  // namespace vantry::ops

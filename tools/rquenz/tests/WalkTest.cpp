// The walk of the built tool: which entries it lists and counts, in what
// order, what it enters, and what it leaves alone.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tools/rquenz/tests/ToolRunner.h"

namespace rquenz {

namespace {

std::string Listing(const std::vector<std::string>& lines, int matches) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text + "\nNumber of matches: " + std::to_string(matches);
}

}  // namespace

TEST(Walk, DepthFirstWithFolderMatchesAndCounter) {
  TempTree tree;
  tree.WriteFile("b.txt", "one x");
  tree.WriteFile("a.txt", "x");
  tree.WriteFile("skip.dat", "x");
  tree.MakeFolder("list.txt");
  tree.WriteFile("list.txt/c.txt", "x x");
  tree.WriteFile("z/deep/d.txt", "x");
  tree.WriteFile(".hidden/e.txt", "x");
  const std::string root = tree.root();
  for (const char* pattern : {"*.txt", "./*.txt"}) {
    SCOPED_TRACE(pattern);
    const ToolResult result = RunRquenz(root, {pattern, "x", "y"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, Listing({root + "/a.txt", root + "/b.txt", root + "/list.txt <DIR>", root + "/list.txt/c.txt",
                                   root + "/z/deep/d.txt"},
                                  5));
  }
  // Two runs: every listed file was replaced twice over, x -> y -> y.
  EXPECT_EQ(tree.ReadFile("a.txt"), "y");
  EXPECT_EQ(tree.ReadFile("list.txt/c.txt"), "y y");
  EXPECT_EQ(tree.ReadFile("z/deep/d.bak"), "y");
  EXPECT_EQ(tree.ReadFile("skip.dat"), "x");
  EXPECT_EQ(tree.ReadFile(".hidden/e.txt"), "x");
  EXPECT_FALSE(tree.Exists(".hidden/e.bak"));
}

TEST(Walk, FileWithoutOccurrenceIsStillRewrittenWithBackup) {
  TempTree tree;
  tree.WriteFile("plain.txt", "nothing here");
  ASSERT_EQ(RunRquenz(tree.root(), {"*.txt", "zz", "y"}).exitStatus, 0);
  EXPECT_EQ(tree.Entries(), (std::vector<std::string>{"plain.bak", "plain.txt"}));
  EXPECT_EQ(tree.ReadFile("plain.bak"), "nothing here");
}

TEST(Walk, PatternWithFolderPartLooksBelowEveryWalkedFolder) {
  TempTree tree;
  tree.WriteFile("docs/a.htm", "old");
  tree.WriteFile("sub/docs/b.htm", "old");
  tree.WriteFile("c.htm", "old");
  tree.WriteFile("sub/d.htm", "old");
  const std::string root = tree.root();
  const ToolResult result = RunRquenz(root, {"./docs/*.htm", "old", "new"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out, Listing({root + "/docs/a.htm", root + "/sub/docs/b.htm"}, 2));
  EXPECT_EQ(tree.ReadFile("docs/a.htm"), "new");
  EXPECT_EQ(tree.ReadFile("sub/docs/b.bak"), "old");
  EXPECT_EQ(tree.ReadFile("c.htm"), "old");
  EXPECT_EQ(tree.ReadFile("sub/d.htm"), "old");
}

TEST(Walk, LinksToFoldersAreListedButNotEntered) {
  TempTree tree;
  tree.WriteFile("in/a.txt", "x");
  std::filesystem::create_directory_symlink(tree.root(), tree.Path("in/loop"));
  std::filesystem::create_directory_symlink(tree.Path("in"), tree.Path("again"));
  const std::string root = tree.root();
  const ToolResult result = RunRquenz(root, {"*", "x", "y"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out,
            Listing({root + "/again <DIR>", root + "/in <DIR>", root + "/in/a.txt", root + "/in/loop <DIR>"}, 4));
  EXPECT_EQ(tree.ReadFile("in/a.txt"), "y");
}

TEST(Walk, NeverTakesItsOwnWorkingFiles) {
  TempTree tree;
  // "a" sorts before "a.bak", so the listing holds the old backup name after
  // the file whose new backup replaces it; a leftover "tempfil" is there too.
  tree.WriteFile("a", "x");
  tree.WriteFile("a.bak", "older");
  tree.WriteFile("tempfil", "x");
  const std::string root = tree.root();
  const ToolResult result = RunRquenz(root, {"*", "x", "y"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out, Listing({root + "/a"}, 1));
  EXPECT_EQ(tree.ReadFile("a"), "y");
  EXPECT_EQ(tree.ReadFile("a.bak"), "x");
  EXPECT_FALSE(tree.Exists("tempfil"));  // the leftover made way for this run's working file
}

TEST(Walk, PatternMatchingNothingPrintsOnlyTheCounter) {
  TempTree tree;
  tree.WriteFile("a.txt", "x");
  const ToolResult result = RunRquenz(tree.root(), {"*.none", "x", "y"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.out, "\nNumber of matches: 0");
  EXPECT_EQ(tree.Entries(), std::vector<std::string>{"a.txt"});
}

// Enough files in one folder that some are worked on ahead of their turn, among
// entries that are refused, skipped, or too large to be held in memory: the
// listing, the complaints, the counter and every file come out as they would
// one file at a time.
TEST(Walk, ManyFilesInOneFolderKeepOrderAndResults) {
  TempTree tree;
  const auto doubled = [](const std::string& text) {
    std::string result;
    for (char c : text) result += c == 'x' ? std::string("yy") : std::string(1, c);
    return result;
  };
  std::vector<std::pair<std::string, std::string>> rewritten{
      {"a.htm", "x a"},
      {"big.txt", std::string(3 << 20, 'x') + "-"},  // more than one read of the tool
      {"grow.txt", std::string(700 << 10, 'x')},     // grows past one read
      {"sub/inner.txt", "inner x"},
  };
  for (int i = 0; i < 150; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.txt", i);
    rewritten.push_back({name, std::string(i * 97 % 3000, 'x') + "|" + std::to_string(i) + "x"});
  }
  for (const auto& [name, content] : rewritten) tree.WriteFile(name, content);
  tree.WriteFile("a.txt", "x b");
  tree.WriteFile("old.bak", "x c");
  tree.WriteFile("tempfil", "x d");
  ASSERT_EQ(mkfifo(tree.Path("pipe.txt").c_str(), 0644), 0);

  const std::string root = tree.root();
  const ToolResult result = RunRquenz(root, {"*", "x", "yy"});
  std::vector<std::string> lines{root + "/a.htm", root + "/a.txt", root + "/big.txt"};
  for (int i = 0; i < 150; ++i) lines.push_back(root + "/" + rewritten[4 + i].first);
  for (const char* name : {"/grow.txt", "/old.bak", "/pipe.txt", "/sub <DIR>", "/sub/inner.txt"}) {
    lines.push_back(root + name);
  }
  EXPECT_EQ(result.out, Listing(lines, 158));
  EXPECT_EQ(result.err, "rquenz: " + root + "/a.txt: not changed: a.bak keeps another file's previous version\n" +
                            "rquenz: " + root + "/old.bak: not changed: it would be its own backup\n" +
                            "rquenz: " + root + "/pipe.txt: not changed: not a regular file\n");
  EXPECT_EQ(result.exitStatus, 1);
  for (const auto& [name, content] : rewritten) {
    EXPECT_EQ(tree.ReadFile(name), doubled(content)) << name;
    EXPECT_EQ(tree.ReadFile(name.substr(0, name.rfind('.')) + ".bak"), content) << name;
  }
  EXPECT_EQ(tree.ReadFile("a.txt"), "x b");
  EXPECT_EQ(tree.ReadFile("old.bak"), "x c");
  EXPECT_FALSE(tree.Exists("tempfil"));
}

TEST(Walk, TooFewArgumentsPrintUsage) {
  const std::string usage =
      "\n\nRquenz Dateiname Suchstring Ersatzstring"
      "\n\nAchtung!! Default ge\xC3\xA4ndert: default ist ab derzeitigem Dir suchen!!"
      "\nnur bei explizitem C:\\ oder voranstehendem \\ wird ab root gesucht"
      "\nbei .\\ wird ab derzeitigem dir = Startdir gesucht"
      "\nansonsten/default (nur Dateiname) ab Startdir\n";
  TempTree tree;
  tree.WriteFile("a.txt", "x");
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"*.txt"}, {"*.txt", "x"}}) {
    const ToolResult result = RunRquenz(tree.root(), arguments);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, usage);
    EXPECT_EQ(result.err, "");
  }
  EXPECT_EQ(tree.Entries(), std::vector<std::string>{"a.txt"});
}

}  // namespace rquenz

#include "archive/DestinationTree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

namespace fs = std::filesystem;

class DestinationTreeTest : public ::testing::Test {
 protected:
  DestinationTreeTest() {
    fs::create_directories(folder_ / "copy");
    fs::create_directories(folder_ / "outside");
    testing::WriteTestFile(folder_ / "outside/victim.html", "keep me");
  }
  std::string Copy(const std::string& relative) const { return folder_ / ("copy/" + relative); }

  testing::TempFolder folder_;
};

TEST_F(DestinationTreeTest, WritesAndCopiesFilesMakingTheirFolders) {
  DestinationTree tree(folder_ / "copy");
  ASSERT_TRUE(tree.ok());
  EXPECT_TRUE(tree.WriteFile("s/a/b/page.html", "page"));
  EXPECT_TRUE(tree.WriteFile("s/a/b/page.html", "shorter"));
  EXPECT_TRUE(tree.CopyFile(folder_ / "outside/victim.html", "s/x.html"));
  EXPECT_EQ(testing::ReadTestFile(Copy("s/a/b/page.html")), "shorter");
  EXPECT_EQ(testing::ReadTestFile(Copy("s/x.html")), "keep me");
  EXPECT_FALSE(tree.CopyFile(folder_ / "outside", "s/y.html"));
  EXPECT_FALSE(tree.CopyFile(folder_ / "missing", "s/y.html"));
}

TEST_F(DestinationTreeTest, ReplacesLinksInsteadOfWritingThroughThem) {
  fs::create_directories(Copy("s"));
  fs::create_symlink(folder_ / "outside", Copy("s/img"));                    // a folder link
  fs::create_symlink(folder_ / "outside/victim.html", Copy("s/page.html"));  // a file link
  fs::create_symlink(folder_ / "outside/new.html", Copy("s/dangling.html"));
  fs::create_hard_link(folder_ / "outside/victim.html", Copy("s/hard.html"));
  ASSERT_EQ(::mkfifo(Copy("s/pipe.html").c_str(), 0600), 0);
  DestinationTree tree(folder_ / "copy");
  for (const char* path : {"s/img/victim.html", "s/page.html", "s/dangling.html", "s/hard.html", "s/pipe.html"}) {
    EXPECT_TRUE(tree.WriteFile(path, "copied")) << path;
    EXPECT_EQ(testing::ReadTestFile(Copy(path)), "copied") << path;
    EXPECT_FALSE(fs::is_symlink(Copy(path))) << path;
  }
  EXPECT_FALSE(fs::is_symlink(Copy("s/img")));
  EXPECT_EQ(testing::ReadTestFile(folder_ / "outside/victim.html"), "keep me");
  EXPECT_FALSE(fs::exists(folder_ / "outside/new.html"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "outside"), fs::directory_iterator()), 1);
}

TEST_F(DestinationTreeTest, ARootThatIsALinkIsTheUsersChoiceAndFollowed) {
  fs::create_directory_symlink(folder_ / "copy", folder_ / "chosen");
  DestinationTree tree(folder_ / "chosen");
  EXPECT_TRUE(tree.WriteFile("s/x.html", "x"));
  EXPECT_EQ(testing::ReadTestFile(Copy("s/x.html")), "x");
}

TEST_F(DestinationTreeTest, NamesTheFolderThatAFileStandsIn) {
  testing::WriteTestFile(Copy("s/a"), "a file");
  DestinationTree tree(folder_ / "copy");
  std::string failed;
  EXPECT_FALSE(tree.MakeFolders("s/a/b", failed));
  EXPECT_EQ(failed, Copy("s/a"));
  EXPECT_FALSE(tree.WriteFile("s/a/b/x.html", "x"));
  EXPECT_FALSE(tree.WriteFile("s", "a folder stands here"));
  EXPECT_EQ(testing::ReadTestFile(Copy("s/a")), "a file");
  EXPECT_FALSE(DestinationTree(folder_ / "missing").ok());
}

TEST_F(DestinationTreeTest, KeepsWorkingWithMoreFoldersThanItHoldsOpen) {
  DestinationTree tree(folder_ / "copy");
  for (int i = 0; i < 600; ++i) ASSERT_TRUE(tree.WriteFile("s/f" + std::to_string(i) + "/x.html", "x"));
  EXPECT_TRUE(tree.WriteFile("s/f0/y.html", "y"));
  EXPECT_EQ(testing::ReadTestFile(Copy("s/f0/y.html")), "y");
}

}  // namespace
}  // namespace vantry::archive

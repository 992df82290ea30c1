#include "ops/CopyBySpecifier.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "ops/SpecifierMatch.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

namespace fs = std::filesystem;

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CopyBySpecifierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.store.Page("http://www.example.org/index.htm", "home");
    h.store.Page("http://www.example.org/pics/logo.gif", "gif", "Content-Type: image/gif\r\n");
    h.store.Page("http://cdn.example.net/help/helpme.htm", "help");
    h.store.Headerless("http://www.example.org/raw.gif");
    h.store.Visit("http://www.example.org/pics/visited.gif");
    h.store.CookieFor("www.example.org");
    fs::create_directory(target);
  }
  std::vector<std::string> Copied() { return FilesIn(target); }

  CommandHarness h;
  testing::TempFolder folder;
  std::string target = folder / "out";
};

TEST_F(CopyBySpecifierTest, CopiesTheContentEntriesEachSpecifierSelects) {
  struct Row {
    const char* specifier;
    std::vector<std::string> files;
  };
  const Row rows[] = {
      {"*", {"helpme.htm", "index.htm", "logo.gif"}},
      {"*.*", {"helpme.htm", "index.htm", "logo.gif"}},
      {"*.gif", {"logo.gif"}},
      {"*.*htm", {"helpme.htm", "index.htm"}},
      {"help*.htm", {"helpme.htm"}},
      {"example.org", {"index.htm", "logo.gif"}},
      {"Example", {}},
  };
  for (const Row& row : rows) {
    fs::remove_all(target);
    fs::create_directory(target);
    EXPECT_TRUE(CopyBySpecifier(h.context, row.specifier, target, false).completed) << row.specifier;
    EXPECT_EQ(Copied(), row.files) << row.specifier;
  }
  EXPECT_TRUE(h.prompt.asked.empty());
  EXPECT_EQ(h.frame.publications, 0);
}

TEST_F(CopyBySpecifierTest, CopiedFileHoldsTheCachedBytesUnderTheCachedName) {
  ASSERT_TRUE(CopyBySpecifier(h.context, "*.gif", target, false).completed);
  std::string cachedName(FileNamePart(h.store.LocalFileOf("http://www.example.org/pics/logo.gif")));
  EXPECT_EQ(files::ReadWholeFile(fs::path(target) / cachedName), "gif");
}

TEST_F(CopyBySpecifierTest, DeleteAfterCopyRemovesOnlyTheCopiedEntries) {
  ASSERT_TRUE(CopyBySpecifier(h.context, "*.gif", target, true).completed);
  EXPECT_FALSE(h.store.Has("http://www.example.org/pics/logo.gif"));
  EXPECT_TRUE(h.store.Has("http://www.example.org/raw.gif"));
  EXPECT_TRUE(h.store.Has("Visited: @http://www.example.org/pics/visited.gif"));
  EXPECT_TRUE(h.store.Has("http://www.example.org/index.htm"));
}

TEST_F(CopyBySpecifierTest, FailedCopyAsksAndYesBreaksTheWalk) {
  const std::string missing = folder / "missing";
  h.prompt.Answer(true);
  EXPECT_FALSE(CopyBySpecifier(h.context, "*", missing, true).completed);
  EXPECT_EQ(h.prompt.asked,
            (std::vector<testing::PromptCall>{{"Error writing file! Break write loop?", "Copy file function"}}));
  EXPECT_TRUE(h.store.Has("http://www.example.org/index.htm"));
}

TEST_F(CopyBySpecifierTest, FailedCopyAnsweredNoGoesOnAndKeepsTheEntries) {
  const std::string missing = folder / "missing";
  h.prompt.Answer(false);
  h.prompt.Answer(false);
  h.prompt.Answer(false);
  EXPECT_TRUE(CopyBySpecifier(h.context, "*", missing, true).completed);
  EXPECT_EQ(h.prompt.asked.size(), 3u);
  EXPECT_EQ(h.store.Urls().size(), 6u);
}

TEST(CopyBySpecifierSameNames, LaterFileOverwritesAnEarlierOneOfTheSameName) {
  CommandHarness h;
  // The store spreads files over sub-folders, so equal names occur in different ones.
  for (int i = 0; i < 8; ++i) h.store.Page("http://host" + std::to_string(i) + "/same.gif", "v" + std::to_string(i));
  std::string lastWithPlainName;
  for (int i = 0; i < 8; ++i) {
    std::string url = "http://host" + std::to_string(i) + "/same.gif";
    if (FileNamePart(h.store.LocalFileOf(url)) == "same.gif") lastWithPlainName = "v" + std::to_string(i);
  }
  testing::TempFolder target;
  ASSERT_TRUE(CopyBySpecifier(h.context, "*", target.path().string(), false).completed);
  EXPECT_EQ(files::ReadWholeFile(target.path() / "same.gif"), lastWithPlainName);
  EXPECT_TRUE(h.prompt.asked.empty());
}

TEST(CopyBySpecifierProgress, StepsOncePerTwoHundredEntriesAfterTheFirst) {
  const std::pair<int, int> rows[] = {{200, 0}, {201, 1}, {401, 2}};
  for (const auto& [entries, steps] : rows) {
    CommandHarness h;
    for (int i = 0; i < entries; ++i) h.store.Headerless("http://h/" + std::to_string(i));
    ASSERT_TRUE(CopyBySpecifier(h.context, "*", "/nonexistent", false).completed);
    EXPECT_EQ(h.frame.progressSteps, steps) << entries;
  }
}

}  // namespace
}  // namespace vantry::ops

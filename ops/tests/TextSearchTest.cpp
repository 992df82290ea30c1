#include "ops/TextSearch.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

namespace fs = std::filesystem;

TEST(HitLineTest, TakesTheTextUpToTheNextClosingBracket) {
  struct Row {
    const char* content;
    size_t hit;
    std::string line;
  };
  const std::string longText(250, 'x');
  const Row rows[] = {
      {"<b>title</b>", 3, "/p.htm :   title</b"},
      {"<title>Welcome", 7, "/p.htm :   "},  // no ">" after the hit
      {"a>", 0, "/p.htm :   a"},
      {">", 0, "/p.htm :   "},
  };
  for (const Row& row : rows) EXPECT_EQ(HitLine("/p.htm", row.content, row.hit), row.line) << row.content;
  EXPECT_EQ(HitLine("/p.htm", longText + ">", 0), "/p.htm :   " + longText.substr(0, 200));
}

class FindTextInFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    std::string path = folder / name;
    EXPECT_TRUE(files::WriteWholeFile(path, content));
    return path;
  }
  std::vector<std::string> Search(const std::string& path, const std::string& text, bool caseSensitive) {
    std::vector<std::string> results;
    FindTextInFile(path, {text, caseSensitive}, results, prompt);
    return results;
  }
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt;
};

TEST_F(FindTextInFileTest, SearchesHtmlFilesWithOrWithoutCase) {
  struct Row {
    const char* name;
    const char* text;
    bool caseSensitive;
    bool hit;
  };
  const Row rows[] = {
      {"a.htm", "title", false, true},      {"a.htm", "title", true, false},  {"a.htm", "TITLE", true, true},
      {"b.HTML", "title", false, true},     {"c.txt", "title", false, false}, {"d", "title", false, false},
      {"e.htm.bak", "title", false, false},
  };
  for (const Row& row : rows) {
    std::string path = Write(row.name, "<TITLE>x</TITLE> and more TITLE");
    std::vector<std::string> results = Search(path, row.text, row.caseSensitive);
    EXPECT_EQ(results.size(), row.hit ? 1u : 0u) << row.name << " " << row.text;
  }
  EXPECT_TRUE(prompt.told.empty());
}

TEST_F(FindTextInFileTest, OneLinePerFileAtTheFirstHit) {
  std::string path = Write("p.htm", "<p>one>, <p>two>");
  EXPECT_EQ(Search(path, "<p>", true), std::vector<std::string>{path + " :   <p"});
}

TEST_F(FindTextInFileTest, FilesOfAMillionBytesAreToldAndSkipped) {
  std::string fits = Write("fits.htm", std::string(999'999, 'a'));
  std::string tooBig = Write("big.htm", std::string(1'000'000, 'a'));
  EXPECT_EQ(Search(fits, "aaa", true).size(), 1u);
  EXPECT_TRUE(Search(tooBig, "aaa", true).empty());
  EXPECT_EQ(prompt.told, (std::vector<testing::PromptCall>{{"File too big ! ", tooBig}}));
}

TEST_F(FindTextInFileTest, MissingFilesAndFoldersAreSkippedQuietly) {
  fs::create_directory(folder / "dir.htm");
  EXPECT_TRUE(Search(folder / "dir.htm", "x", false).empty());
  EXPECT_TRUE(Search(folder / "missing.htm", "x", false).empty());
  EXPECT_TRUE(prompt.told.empty());
}

TEST(CacheTextSearchTest, DescendsIntoSubFoldersAndStepsOncePerFolder) {
  testing::TempFolder root;
  fs::create_directories(root.path() / "c0" / "deep");
  fs::create_directories(root.path() / ".hidden");
  files::WriteWholeFile(root.path() / "top.htm", "needle>");
  files::WriteWholeFile(root.path() / "c0" / "a.htm", "no");
  files::WriteWholeFile(root.path() / "c0" / "deep" / "b.htm", "a needle here>");
  files::WriteWholeFile(root.path() / ".hidden" / "c.htm", "needle>");
  fs::create_directory_symlink(root.path(), root.path() / "c0" / "loop");
  CommandHarness h;
  std::vector<std::string> results;
  CacheTextSearch(root.path().string(), "*.*", {"needle", false}, results, h.frame, h.prompt);
  const std::string base = root.path().string();
  EXPECT_EQ(results, (std::vector<std::string>{base + "/top.htm :   needle", base + "/c0/deep/b.htm :   needle here"}));
  EXPECT_EQ(h.frame.progressSteps, 3);
  EXPECT_TRUE(h.prompt.told.empty());
}

TEST(CacheTextSearchTest, AFolderThatCannotBeListedIsTold) {
  CommandHarness h;
  std::vector<std::string> results;
  CacheTextSearch("/nonexistent/folder", "*.*", {"x", false}, results, h.frame, h.prompt);
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"findfirst failed", "/nonexistent/folder/*.*"}}));
  EXPECT_TRUE(results.empty());
}

TEST(CacheTextSearchTest, FindsHitsInTheStoresCachedFiles) {
  CommandHarness h;
  h.store.Page("http://a.org/index.htm", "<h1>Hello World</h1>");
  h.store.Page("http://a.org/pic.gif", "Hello World>", "Content-Type: image/gif\r\n");
  std::vector<std::string> results;
  CacheTextSearch(h.store->ContentFolder().string(), "*.*", {"hello", false}, results, h.frame, h.prompt);
  EXPECT_EQ(results, std::vector<std::string>{h.store.LocalFileOf("http://a.org/index.htm") + " :   Hello World</h1"});
}

TEST(FindAddressOfLocalFileTest, FindsTheEntryIgnoringCaseOrTellsItIsMissing) {
  CommandHarness h;
  h.store.Visit("http://a.org/index.htm");
  h.store.Page("http://a.org/index.htm");
  const std::string local = h.store.LocalFileOf("http://a.org/index.htm");
  std::string upper = local;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(FindAddressOfLocalFile(*h.store, local, h.prompt), "http://a.org/index.htm");
  EXPECT_EQ(FindAddressOfLocalFile(*h.store, upper, h.prompt), "http://a.org/index.htm");
  EXPECT_TRUE(h.prompt.told.empty());
  EXPECT_EQ(FindAddressOfLocalFile(*h.store, local + ".old", h.prompt), "");
  EXPECT_EQ(FindAddressOfLocalFile(*h.store, "", h.prompt), "");  // history entries have no file
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"URL not found in Cache \n", "Cache Enumeration"},
                                                             {"URL not found in Cache \n", "Cache Enumeration"}}));
}

}  // namespace
}  // namespace vantry::ops

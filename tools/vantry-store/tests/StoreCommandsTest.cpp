#include "tools/vantry-store/StoreCommands.h"

#include <fstream>

#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "testing/SystemFaults.h"
#include "tools/vantry-store/tests/StoreToolTestSupport.h"

namespace vantry::storetool {

namespace fs = std::filesystem;

namespace {

class StoreCommandsTest : public ::testing::Test {
 protected:
  fs::path Store() const { return folder.path() / "store"; }
  std::unique_ptr<cache::SqliteUrlCacheStore> Open() {
    auto store = std::make_unique<cache::SqliteUrlCacheStore>(Store());
    EXPECT_EQ(store->error(), "");
    return store;
  }
  fs::path WriteFile(const std::string& name, const std::string& bytes) {
    fs::path path = folder.path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  testing::TempFolder folder;
};

TEST_F(StoreCommandsTest, AddStoresTheFileWithHeadersGuessedOrGiven) {
  fs::path page = WriteFile("page.html", "<p>hello</p>");
  ASSERT_EQ(RunTool(Store(), {"add", "http://h.example/dir/page.asp?x=1", page}, kTestNow).exitCode, 0);
  ASSERT_EQ(RunTool(Store(), {"add", "--sticky", "http://h.example/raw", page, "text/plain"}).exitCode, 0);
  auto store = Open();
  auto guessed = cache::LookupEntry(*store, "http://h.example/dir/page.asp?x=1");
  ASSERT_TRUE(guessed);
  EXPECT_NE(guessed->headerInfo.find("\r\nContent-Type: text/html; charset=utf-8\r\n"), std::string::npos);
  EXPECT_NE(guessed->headerInfo.find("\r\nContent-Length: 12\r\n"), std::string::npos);
  EXPECT_NE(guessed->headerInfo.find("\r\nDate: Mon, 07 Dec 2026 12:00:00 GMT\r\n"), std::string::npos);
  EXPECT_EQ(guessed->entryType, cache::NORMAL_CACHE_ENTRY);
  EXPECT_EQ(guessed->lastSyncTime, cache::FileTimeFromUnixSeconds(kTestNow));
  EXPECT_EQ(files::ReadWholeFile(guessed->localFileName), "<p>hello</p>");
  auto given = cache::LookupEntry(*store, "http://h.example/raw");
  ASSERT_TRUE(given);
  EXPECT_NE(given->headerInfo.find("\r\nContent-Type: text/plain\r\n"), std::string::npos);
  EXPECT_EQ(given->entryType, cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY);
}

TEST_F(StoreCommandsTest, VisitAndCookieRecordWhatTheySay) {
  ASSERT_EQ(RunTool(Store(), {"visit", "--days-ago", "3", "http://h.example/page"}, kTestNow).exitCode, 0);
  ASSERT_EQ(
      RunTool(Store(), {"cookie", "--secure", "--path", "/shop", "--days", "10", ".h.example", "sid", "42"}).exitCode,
      0);
  ASSERT_EQ(RunTool(Store(), {"cookie", "h.example", "lang", "en"}).exitCode, 0);
  auto store = Open();
  auto visit = cache::LookupEntry(*store, "Visited: @http://h.example/page");
  ASSERT_TRUE(visit);
  EXPECT_EQ(visit->lastAccessTime, cache::FileTimeFromUnixSeconds(kTestNow - 3 * 86400));
  EXPECT_EQ(visit->entryType & cache::URLHISTORY_CACHE_ENTRY, cache::URLHISTORY_CACHE_ENTRY);
  EXPECT_EQ(cache::GetCookieText(*store, "http://h.example/shop/cart"), "lang=en");
  EXPECT_EQ(cache::GetCookieText(*store, "https://www.h.example/shop/cart"), "sid=42");
}

TEST_F(StoreCommandsTest, RemoveDeletesByKeyAndReportsAMissingOne) {
  fs::path page = WriteFile("a.txt", "a");
  ASSERT_EQ(RunTool(Store(), {"add", "http://h.example/a.txt", page}).exitCode, 0);
  ASSERT_EQ(RunTool(Store(), {"visit", "http://h.example/a.txt"}).exitCode, 0);
  EXPECT_EQ(RunTool(Store(), {"rm", "Visited: @http://h.example/a.txt"}).exitCode, 0);
  ToolRun removed = RunTool(Store(), {"rm", "http://h.example/a.txt"});
  EXPECT_EQ(removed.exitCode, 0);
  EXPECT_EQ(removed.out, "Deleted http://h.example/a.txt.\n");
  ToolRun missing = RunTool(Store(), {"rm", "http://h.example/a.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "vantry-store: rm: no entry has the key \"http://h.example/a.txt\"\n");
  EXPECT_TRUE(Snapshot(*Open()).empty());
}

TEST_F(StoreCommandsTest, StatsCountsTheDemoByKind) {
  ASSERT_EQ(RunTool(Store(), {"demo"}).exitCode, 0);
  EntryCounts counts;
  ASSERT_EQ(CountEntries(*Open(), counts), cache::WalkResult::Normal);
  uint64_t bytes = 0;
  cache::WalkCache(*Open(), "", [&](cache::CacheEntry& e) { bytes += e.sizeLow; });
  ToolRun stats = RunTool(Store(), {"stats"});
  EXPECT_EQ(stats.exitCode, 0);
  EXPECT_EQ(counts.content, 20u);
  EXPECT_EQ(counts.cookies, 5u);
  EXPECT_EQ(counts.other, 1u);
  EXPECT_GT(counts.history, 50u);
  EXPECT_EQ(stats.out, "Content entries: 20\nCookie entries: 5\nHistory entries: " + std::to_string(counts.history) +
                           "\nOther entries: 1\nTotal entries: " + std::to_string(counts.total()) +
                           "\nTotal bytes: " + std::to_string(bytes) + "\n");
}

TEST_F(StoreCommandsTest, ListShowsOneLinePerEntryFilteredByPrefix) {
  ASSERT_EQ(RunTool(Store(), {"demo"}).exitCode, 0);
  ToolRun history = RunTool(Store(), {"list", "VISITED:"});
  ASSERT_EQ(history.exitCode, 0);
  EntryCounts counts;
  CountEntries(*Open(), counts);
  EXPECT_EQ(static_cast<uint64_t>(std::count(history.out.begin(), history.out.end(), '\n')), counts.history);
  std::istringstream lines(history.out);
  for (std::string line; std::getline(lines, line);) EXPECT_TRUE(line.starts_with("history  0x00200001 ")) << line;
  ToolRun cookies = RunTool(Store(), {"list", "Cookie:"});
  EXPECT_EQ(std::count(cookies.out.begin(), cookies.out.end(), '\n'), 5);
  EXPECT_EQ(RunTool(Store(), {"list", "gopher:"}).out, "");
}

// A store that may only be read is listed and counted; writes fail with the cause in words.
TEST_F(StoreCommandsTest, ReadOnlyStoreIsListedAndFailuresSayWhy) {
  ASSERT_EQ(RunTool(Store(), {"demo"}).exitCode, 0);
  ToolRun stats = RunTool(Store(), {"stats"}), list = RunTool(Store(), {"list"});
  std::string seen = testing::RunUnderFault(testing::SystemFault::kReadOnlyFileSystem, [&] {
    std::string text;
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"stats"}, {"list"}, {"cookie", "a.example", "n", "v"}, {"rm", "http://www.vantry-demo.example/"}}) {
      ToolRun run = RunTool(Store(), args);
      text += std::to_string(run.exitCode) + " " + run.out + run.err + "|";
    }
    return text;
  });
  std::string tail = " (store " + Store().string() + ")\n|";
  EXPECT_EQ(seen, "0 " + stats.out + "|0 " + list.out + "|1 vantry-store: cookie failed: the store is read-only" +
                      tail + "1 vantry-store: rm failed: the store is read-only" + tail);
}

// A folder where the store keeps a site's cookie file: setting a cookie there says so.
TEST_F(StoreCommandsTest, FolderInPlaceOfACookieFileIsNamed) {
  ASSERT_EQ(RunTool(Store(), {"cookie", "a.example", "n", "v"}).exitCode, 0);
  std::string file;
  cache::WalkCache(*Open(), "cookie:", [&](cache::CacheEntry& e) { file = e.localFileName; });
  ASSERT_TRUE(fs::remove(file));
  fs::create_directory(file);
  ToolRun run = RunTool(Store(), {"cookie", "a.example", "m", "w"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "vantry-store: cookie failed: a folder stands where the store keeps one of its files (store " +
                         Store().string() + ")\n");
  EXPECT_TRUE(fs::is_directory(file));
}

TEST(ListLineTest, ShowsKindFlagsSizeLocalTimeAndKey) {
  setenv("TZ", "UTC", 1);
  tzset();
  cache::CacheEntry entry;
  entry.sourceUrl = "http://h.example/";
  entry.entryType = cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY;
  entry.sizeLow = 1772;
  entry.headerInfo = "HTTP/1.1 200 OK\r\n";
  entry.lastAccessTime = cache::FileTimeFromUnixSeconds(kTestNow);
  EXPECT_EQ(ListLine(entry), "content  0x00000005       1772  2026-12-07 12:00  http://h.example/");
  entry.headerInfo.clear();
  EXPECT_TRUE(ListLine(entry).starts_with("other    0x00000005"));
  entry.entryType = cache::NORMAL_CACHE_ENTRY | cache::COOKIE_CACHE_ENTRY;
  EXPECT_TRUE(ListLine(entry).starts_with("cookie   0x00100001"));
  unsetenv("TZ");
  tzset();
}

TEST_F(StoreCommandsTest, RefusedCommandsChangeNothing) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const Case cases[] = {
      {{}, 2},
      {{"synth", "0"}, 2},
      {{"add", "http://h.example/x", (folder.path() / "no-such-file").string()}, 1},
      {{"add", "http://h.example/x", folder.path().string()}, 1},
      {{"add", "not-a-url", "f"}, 2},
      {{"visit", "--days-ago", "x", "http://h.example/"}, 2},
      {{"cookie", "h.example", "n", "has blank"}, 2},
      {{"rm", "http://h.example/never-added"}, 1},
      {{"demo", "now"}, 2},
  };
  // On a missing store: no folder appears.
  for (const Case& c : cases) {
    ToolRun run = RunTool(Store(), c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("vantry-store: ")) << run.err;
    EXPECT_FALSE(fs::exists(Store())) << ::testing::PrintToString(c.args);
  }
  // On the demo store: every entry stays as it was.
  ASSERT_EQ(RunTool(Store(), {"demo"}).exitCode, 0);
  std::vector<std::string> before = Snapshot(*Open());
  for (const Case& c : cases) {
    EXPECT_EQ(RunTool(Store(), c.args).exitCode, c.exitCode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(Snapshot(*Open()), before) << ::testing::PrintToString(c.args);
  }
}

TEST_F(StoreCommandsTest, ReadingCommandsNeedAnExistingStore) {
  for (const char* verb : {"list", "stats"}) {
    ToolRun run = RunTool(Store(), {verb});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "vantry-store: there is no cache store in " + Store().string() + "\n");
  }
  EXPECT_FALSE(fs::exists(Store()));
}

TEST_F(StoreCommandsTest, AStoreThatCannotBeOpenedIsAFailure) {
  fs::create_directories(Store() / "content");  // cached files without their index
  ToolRun run = RunTool(Store(), {"demo"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("index.sqlite is missing"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(Store() / "index.sqlite"));
}

}  // namespace

}  // namespace vantry::storetool

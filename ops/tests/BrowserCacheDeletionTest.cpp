#include "ops/BrowserCacheDeletion.h"

#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "ops/DeleteCommands.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTitle = "Delete from browser cache";

// A store holding entries imported from a Firefox profile and a Chromium profile whose
// cache files lie in a temporary folder.
class BrowserCacheDeletionTest : public ::testing::Test {
 protected:
  std::string FirefoxFile(char digit) { return profiles / ("ff/cache2/entries/" + std::string(40, digit)); }
  std::string ChromiumFile(char digit) {
    return profiles / ("cr/Default/Cache/Cache_Data/" + std::string(16, digit) + "_0");
  }

  void Import(const std::string& url, const std::string& entryFile, const std::string& browser) {
    if (!entryFile.empty()) testing::WriteTestFile(entryFile, "entry");
    cache::NewEntry entry;
    entry.url = url;
    entry.content = "page";
    entry.headers = kHtmlHeaders;
    entry.origin = browser == "Firefox"
                       ? cache::EntryOrigin{"Firefox", "default", profiles / "ff", entryFile}
                       : cache::EntryOrigin{"Chromium", "Person 1", profiles / "cr/Default", entryFile};
    ASSERT_EQ(h.store->AddEntry(entry), cache::STORE_OK);
  }
  bool Exists(const std::string& file) { return fs::exists(fs::symlink_status(file)); }

  TempFolder profiles;
  CommandHarness h;
  RecordingLists lists;
};

TEST_F(BrowserCacheDeletionTest, DeleteCacheEntryAsksOnceAndRemovesTheFileOnlyOnYes) {
  for (bool yes : {true, false}) {
    const std::string file = FirefoxFile(yes ? 'A' : 'B'), other = FirefoxFile('C');
    Import("http://a.example/", file, "Firefox");
    Import("http://a.example/other", other, "Firefox");
    h.prompt.Answer(yes);
    DeleteCacheEntryCommand(h.context, "http://a.example/", lists);
    EXPECT_FALSE(h.store.Has("http://a.example/"));
    EXPECT_EQ(
        h.prompt.asked.back(),
        (testing::PromptCall{"Remove the deleted entry from the cache of Firefox, profile \"default\" too?", kTitle}));
    EXPECT_EQ(Exists(file), !yes);
    EXPECT_TRUE(Exists(other));
  }
  EXPECT_EQ(h.prompt.asked.size(), 2u);
  EXPECT_TRUE(h.prompt.told.empty());
}

TEST_F(BrowserCacheDeletionTest, ServerDeleteAsksOncePerProfileAndOnlyForEntriesWithFilesOfTheirOwn) {
  Import("http://s.example/1", FirefoxFile('1'), "Firefox");
  Import("http://s.example/2", FirefoxFile('2'), "Firefox");
  Import("http://s.example/3", ChromiumFile('3'), "Chromium");
  // A blockfile cache's entry has no file of its own; a file not an entry's is never removed.
  Import("http://s.example/blockfile", "", "Chromium");
  Import("http://s.example/blocks", profiles / "cr/Default/Cache/Cache_Data/data_1", "Chromium");
  h.store.Page("http://s.example/own");
  ScriptedDialogs dialogs;
  dialogs.serverDelete = [](std::string& text) {
    text = "s.example";
    return true;
  };
  testing::MemorySettings profile;
  DeleteCacheEntriesCommand(h.context, dialogs, profile);
  EXPECT_TRUE(h.store.Urls().empty());
  EXPECT_EQ(h.prompt.asked,
            (std::vector<testing::PromptCall>{
                {"Remove the deleted entry from the cache of Chromium, profile \"Person 1\" too?", kTitle},
                {"Remove the 2 deleted entries from the cache of Firefox, profile \"default\" too?", kTitle}}));
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{
                               {"The 2 deleted entries cannot be removed from the cache of Chromium, profile \"Person "
                                "1\": it keeps many entries in each of its files.",
                                kTitle}}));
  for (const std::string& file : {FirefoxFile('1'), FirefoxFile('2'), ChromiumFile('3')}) EXPECT_FALSE(Exists(file));
  EXPECT_TRUE(Exists(profiles / "cr/Default/Cache/Cache_Data/data_1"));
}

TEST_F(BrowserCacheDeletionTest, RunningBrowserKeepsItsFilesAndSaysSo) {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  Import("http://r.example/", ChromiumFile('e'), "Chromium");
  fs::create_symlink(std::string(host) + "-" + std::to_string(getpid()), profiles / "cr/SingletonLock");
  DeleteCacheEntryCommand(h.context, "http://r.example/", lists);
  EXPECT_FALSE(h.store.Has("http://r.example/"));
  EXPECT_TRUE(h.prompt.asked.empty());
  ASSERT_FALSE(h.prompt.told.empty());
  EXPECT_EQ(h.prompt.told.front(),
            (testing::PromptCall{"Chromium has the profile \"Person 1\" open: the deleted entry stays in its cache.",
                                 kTitle}));
  EXPECT_TRUE(Exists(ChromiumFile('e')));
}

TEST_F(BrowserCacheDeletionTest, FilesThatCannotBeRemovedAreTold) {
  Import("http://l.example/1", FirefoxFile('1'), "Firefox");
  Import("http://l.example/2", FirefoxFile('2'), "Firefox");
  fs::remove(FirefoxFile('2'));
  fs::create_symlink(profiles / "elsewhere", FirefoxFile('2'));
  BrowserCacheDeletion deletion(*h.store);
  for (const char* url : {"http://l.example/1", "http://l.example/2", "http://l.example/never"}) deletion.Delete(url);
  deletion.OfferRemoval(h.prompt);
  EXPECT_EQ(h.prompt.told,
            (std::vector<testing::PromptCall>{
                {"1 of the 2 deleted entries could not be removed from the cache of Firefox, profile \"default\".",
                 kTitle}}));
  EXPECT_FALSE(Exists(FirefoxFile('1')));
  EXPECT_TRUE(Exists(FirefoxFile('2')));
  // Offered once: the entries are forgotten.
  deletion.OfferRemoval(h.prompt);
  EXPECT_EQ(h.prompt.asked.size(), 1u);
}

}  // namespace
}  // namespace vantry::ops

// The long commands stopped by the user in the middle: what they did so far stays whole, the
// store included, and what they reported of their progress.
#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "files/WholeFile.h"
#include "ops/CategoryDelete.h"
#include "ops/CopyBySpecifier.h"
#include "ops/CopyCommands.h"
#include "ops/DeleteCommands.h"
#include "ops/FindCommands.h"
#include "ops/tests/CommandFakes.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

namespace fs = std::filesystem;

// Ten pages with the needle and their contents, by address.
std::map<std::string, std::string> FillPages(TestStore& store) {
  std::map<std::string, std::string> pages;
  for (int i = 0; i < 10; ++i) {
    const std::string url = "http://a.org/p" + std::to_string(i) + ".htm";
    pages[url] = "<p>page " + std::to_string(i) + " with a Needle</p>";
    store.Page(url, pages[url]);
  }
  return pages;
}

// Opened afresh, the store's content entries are `kept` of `pages` with their whole files,
// and its content folder holds no other file.
void ExpectStoreWhole(TestStore& store, const std::map<std::string, std::string>& pages, size_t kept) {
  cache::StoreOpenResult reopened = cache::OpenUrlCacheStore(store.folder().path() / "store");
  ASSERT_NE(reopened.store, nullptr) << reopened.error;
  std::set<fs::path> entryFiles;
  size_t entries = 0;
  ASSERT_EQ(cache::WalkCache(*reopened.store, "",
                             [&](cache::CacheEntry& entry) {
                               if (!cache::IsContentEntry(entry)) return;
                               ++entries;
                               ASSERT_TRUE(pages.contains(entry.sourceUrl)) << entry.sourceUrl;
                               EXPECT_EQ(files::ReadWholeFile(entry.localFileName), pages.at(entry.sourceUrl));
                               entryFiles.insert(fs::weakly_canonical(entry.localFileName));
                             }),
            cache::WalkResult::Normal);
  EXPECT_EQ(entries, kept);
  for (const fs::directory_entry& file : fs::recursive_directory_iterator(reopened.store->ContentFolder())) {
    if (file.is_regular_file()) {
      EXPECT_TRUE(entryFiles.contains(fs::weakly_canonical(file.path()))) << file.path();
    }
  }
}

TEST(StoppedWorkTest, TextSearchShowsTheHitsFoundSoFarAndSearchesNoFurther) {
  CommandHarness h;
  const std::map<std::string, std::string> pages = FillPages(h.store);
  ScriptedDialogs dialogs;
  dialogs.searchText = [](SearchTextChoice& c) {
    c = {"needle", true, false, false, true, false};
    return true;
  };
  RecordingLocalCopies localCopies;
  RecordingSink page;

  FindTextCommand(h.context, dialogs, localCopies, page);  // the whole search first
  const std::vector<std::string> allHits = page.lines;
  ASSERT_EQ(allHits.size(), 11u);
  EXPECT_EQ(allHits.back(), "address needle");
  EXPECT_EQ(h.frame.works.back().advances, 10u);
  EXPECT_EQ(h.frame.works.back().last, std::make_pair(uint64_t{10}, uint64_t{10}));

  h.frame.stopAtAdvance = 4;
  h.frame.statusTexts.clear();
  FindTextCommand(h.context, dialogs, localCopies, page);
  ASSERT_EQ(page.lines.size(), 4u);  // four pages, and the address search did not run
  // The stopped search keeps the listing's order among the hits it found.
  size_t at = 0;
  for (const std::string& line : page.lines) {
    while (at < allHits.size() && allHits[at] != line) ++at;
    EXPECT_LT(at, allHits.size()) << line;
  }
  EXPECT_EQ(h.frame.statusTexts,
            (std::vector<std::string>{"Wait! Searching Cache", "Search stopped: the hits found so far are shown"}));
  EXPECT_TRUE(h.frame.works.back().ended);
  EXPECT_TRUE(h.cursor.EndsWithArrow());
  EXPECT_TRUE(h.prompt.told.empty());
  ExpectStoreWhole(h.store, pages, 10);
}

TEST(StoppedWorkTest, StoppedSearchTellsNothingOfTheFilesItSkipped) {
  testing::TempFolder folder;
  testing::WriteTestFile(folder / "a.htm", "needle>");
  testing::WriteTestFile(folder / "big.htm", std::string(kMaxSearchedFileSize, 'x'));
  testing::WriteTestFile(folder / "c.htm", "needle>");
  for (const uint64_t stopAt : {uint64_t{0}, uint64_t{1}}) {
    CommandHarness h;
    h.frame.stopAtAdvance = stopAt;
    std::vector<std::string> results;
    const bool completed =
        CacheTextSearch(folder.path().string(), "*.*", {"needle", false}, results, h.frame, h.prompt);
    EXPECT_EQ(completed, stopAt == 0);
    if (completed) {
      EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"File too big ! ", folder / "big.htm"}}));
      EXPECT_EQ(results.size(), 2u);
    } else {
      EXPECT_TRUE(h.prompt.told.empty());
      EXPECT_LE(results.size(), 1u);
    }
  }
}

TEST(StoppedWorkTest, CategoryDeleteKeepsTheRestOfTheStoreWholeAndPublishesNothing) {
  CommandHarness h;
  const std::map<std::string, std::string> pages = FillPages(h.store);
  for (int i = 0; i < 10; ++i) h.store.Visit("http://a.org/p" + std::to_string(i) + ".htm");
  RecordingSink statisticsPage;
  RecordingLists lists;
  h.frame.stopAtAdvance = 14;  // ten pages, then four visits
  DeleteCategoryCommand(h.context, DeleteCategory::AllHistory, statisticsPage, lists);
  EXPECT_EQ(h.store.Urls().size(), 16u);
  ExpectStoreWhole(h.store, pages, 10);
  EXPECT_EQ(statisticsPage.shows, 0);
  EXPECT_EQ(lists.order, (std::vector<std::string>{"AlphaSort", "AccessSort", "History"}));
  EXPECT_EQ(h.frame.works.at(0).what, "Deleting entries");
  EXPECT_EQ(h.frame.works.at(0).last, std::make_pair(uint64_t{14}, uint64_t{0}));
  EXPECT_TRUE(h.cursor.EndsWithArrow());
  EXPECT_EQ(h.frame.progressResets, 1);
}

TEST(StoppedWorkTest, DeleteCacheEntriesStopsAfterTheEntryInHand) {
  CommandHarness h;
  std::map<std::string, std::string> pages = FillPages(h.store);
  ScriptedDialogs dialogs;
  dialogs.serverDelete = [](std::string& text) {
    text = "a.org/";
    return true;
  };
  testing::MemorySettings profile;
  h.frame.stopAtAdvance = 3;
  DeleteCacheEntriesCommand(h.context, dialogs, profile);
  for (int i = 0; i < 3; ++i) pages.erase("http://a.org/p" + std::to_string(i) + ".htm");
  ExpectStoreWhole(h.store, pages, 7);
  EXPECT_TRUE(h.cursor.EndsWithArrow());
}

TEST(StoppedWorkTest, CopyFilesLeavesWholeCopiesAndSaysWhatItDid) {
  CommandHarness h;
  std::map<std::string, std::string> pages = FillPages(h.store);
  testing::TempFolder target;
  ScriptedDialogs dialogs;
  dialogs.copyFiles = [&](CopyFilesChoice& c) {
    c.specifier = "*.htm";
    c.folder = target.path().string();
    c.deleteAfterCopy = true;
    return true;
  };
  testing::MemorySettings profile;
  h.frame.stopAtAdvance = 4;
  CopyFilesCommand(h.context, dialogs, profile);
  std::set<std::string> copied;
  for (const fs::directory_entry& file : fs::directory_iterator(target.path())) {
    const std::string url = "http://a.org/" + file.path().filename().string();
    ASSERT_TRUE(pages.contains(url)) << url;
    EXPECT_EQ(files::ReadWholeFile(file.path()), pages[url]);
    copied.insert(url);
  }
  EXPECT_EQ(copied.size(), 4u);
  for (const std::string& url : copied) pages.erase(url);
  ExpectStoreWhole(h.store, pages, 6);  // the copied entries were moved out of the cache
  EXPECT_EQ(h.frame.statusTexts.back(), "Copy stopped: copied 4 files to " + target.path().string());
  EXPECT_TRUE(h.cursor.EndsWithArrow());
}

TEST(StoppedWorkTest, SummaryOfACopyFilesRun) {
  const struct {
    CopyOutcome result;
    const char* text;
  } rows[] = {
      {{true, 0}, "Copied 0 files to /out"},
      {{true, 1}, "Copied 1 file to /out"},
      {{true, 12}, "Copied 12 files to /out"},
      {{false, 3}, "Copy stopped: copied 3 files to /out"},
  };
  for (const auto& row : rows) EXPECT_EQ(CopySummary(row.result, "/out"), row.text);
}

}  // namespace
}  // namespace vantry::ops

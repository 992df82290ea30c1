#include "ops/DeleteCommands.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "ops/SettingKeys.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kResetOrder{"AlphaSort", "AccessSort", "History"};
const std::string kServerToDeletePath = testing::MemorySettings::Key(kServerToDelete);

TEST(RemoveTreeItemTest, SearchesByTheRootAndTellsAMissingItem) {
  struct Row {
    const char* root;
    const char* address;
    int levels;
    std::vector<testing::PromptCall> told;
  };
  const Row rows[] = {
      {"Cached Url's", "http://a/", 1, {}},
      {"Cached Url's", "http://other/", 1, {{"Entry not found!", "DeleteItem"}}},
      {"History", "http://a/", 2, {}},
      {"History", "http://other/", 2, {{"History-Entry not found!", "DeleteItem"}}},
  };
  for (const Row& row : rows) {
    CommandHarness h;
    testing::FakeList list(row.root, {"http://a/"});
    h.frame.RegisterExpandedList(&list);
    RemoveTreeItem(h.frame, h.prompt, row.address);
    EXPECT_EQ(list.removeLevels, std::vector<int>{row.levels}) << row.root;
    EXPECT_EQ(h.prompt.told, row.told) << row.root << " " << row.address;
  }
}

TEST(RemoveTreeItemTest, WithoutAnExpandedListThereIsNothingToRemove) {
  CommandHarness h;
  RemoveTreeItem(h.frame, h.prompt, "http://a/");
  EXPECT_TRUE(h.prompt.told.empty());
}

TEST(DeleteCacheEntryCommandTest, DeletesTheEntryItsItemAndResetsTheLists) {
  CommandHarness h;
  h.store.Page("http://a/x.htm");
  h.store.Page("http://a/y.htm");
  testing::FakeList list("Cached Url's", {"http://a/x.htm", "http://a/y.htm"});
  h.frame.RegisterExpandedList(&list);
  RecordingLists lists;
  DeleteCacheEntryCommand(h.context, "http://a/x.htm", lists);
  EXPECT_EQ(h.store.Urls(), std::vector<std::string>{"http://a/y.htm"});
  EXPECT_EQ(list.items, std::vector<std::string>{"http://a/y.htm"});
  EXPECT_EQ(list.selectionClears, 1);
  EXPECT_EQ(lists.order, kResetOrder);
  EXPECT_TRUE(h.prompt.told.empty());
}

TEST(DeleteCacheEntryCommandTest, AnAddressMissingFromTheTreeIsToldButStillDeleted) {
  CommandHarness h;
  h.store.Page("http://a/x.htm");
  testing::FakeList list("History", {});
  h.frame.RegisterExpandedList(&list);
  RecordingLists lists;
  DeleteCacheEntryCommand(h.context, "http://a/x.htm", lists);
  EXPECT_FALSE(h.store.Has("http://a/x.htm"));
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"History-Entry not found!", "DeleteItem"}}));
}

TEST(DeleteHistoryEntryCommandTest, DeletesTheVisitedKeyAndRemovesTheAddressItem) {
  CommandHarness h;
  h.store.Page("http://a/x.htm");
  h.store.Visit("http://a/x.htm");
  testing::FakeList list("History", {"http://a/x.htm"});
  h.frame.RegisterExpandedList(&list);
  RecordingLists lists;
  DeleteHistoryEntryCommand(h.context, "http://a/x.htm", lists);
  EXPECT_EQ(h.store.Urls(), std::vector<std::string>{"http://a/x.htm"});
  EXPECT_TRUE(list.items.empty());
  EXPECT_TRUE(h.prompt.told.empty());
  EXPECT_EQ(lists.order, kResetOrder);
}

TEST(DeleteHistoryEntryCommandTest, AMissingHistoryEntryIsToldAndTheItemStillRemoved) {
  CommandHarness h;
  testing::FakeList list("Cached Url's", {"http://a/x.htm"});
  h.frame.RegisterExpandedList(&list);
  RecordingLists lists;
  DeleteHistoryEntryCommand(h.context, "http://a/x.htm", lists);
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"Unable to delete entry", "Visited: @http://a/x.htm"}}));
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(lists.order, kResetOrder);
}

TEST(DeleteCategoryCommandTest, ResetsProgressThenTheLists) {
  CommandHarness h;
  h.store.Visit("http://a/");
  RecordingSink page;
  RecordingLists lists;
  DeleteCategoryCommand(h.context, DeleteCategory::AllHistory, page, lists);
  EXPECT_TRUE(h.store.Urls().empty());
  EXPECT_EQ(h.frame.progressBarRequests, 1);
  EXPECT_EQ(h.frame.progressResets, 1);
  EXPECT_EQ(page.shows, 1);
  EXPECT_EQ(lists.order, kResetOrder);
  EXPECT_TRUE(h.cursor.EndsWithArrow());
}

TEST(DeleteCacheEntriesCommandTest, GuardsAsksAndRemembersTheText) {
  struct Row {
    const char* typed;
    bool confirm;
    bool cancel;
    std::vector<testing::PromptCall> told;
    std::vector<testing::PromptCall> asked;
    size_t remaining;
    const char* stored;  // nullptr: the setting keeps its old value
  };
  const testing::PromptCall kShort{"Danger! Delete-string too short, delete anyway ?", "Whole cache may get deleted"};
  const Row rows[] = {
      {"www.", true, false, {}, {}, 2, "www."},
      {"www", true, false, {}, {kShort}, 2, "www"},
      {"www", false, false, {}, {kShort}, 4, nullptr},
      {"", true, false, {{"Nothing to delete?", "Delete Cache Entries"}}, {}, 4, nullptr},
      {"www.", true, true, {}, {}, 4, nullptr},
  };
  for (const Row& row : rows) {
    CommandHarness h;
    h.store.Page("http://www.a.org/1.htm");
    h.store.Page("http://www.b.org/2.htm");
    h.store.Page("http://c.org/3.htm");
    h.store.Visit("http://www.a.org/1.htm");
    h.prompt.Answer(row.confirm);
    testing::MemorySettings profile;
    profile.values[kServerToDeletePath] = "previous";
    ScriptedDialogs dialogs;
    std::string shown;
    dialogs.serverDelete = [&](std::string& text) {
      shown = text;
      text = row.typed;
      return !row.cancel;
    };
    DeleteCacheEntriesCommand(h.context, dialogs, profile);
    EXPECT_EQ(shown, "previous");
    EXPECT_EQ(h.prompt.told, row.told) << row.typed;
    EXPECT_EQ(h.prompt.asked, row.asked) << row.typed;
    EXPECT_EQ(h.store.Urls().size(), row.remaining) << row.typed;
    EXPECT_EQ(profile.values[kServerToDeletePath], row.stored ? row.stored : "previous") << row.typed;
    EXPECT_TRUE(h.cursor.EndsWithArrow());
    EXPECT_EQ(h.frame.progressResets, row.stored ? 1 : 0);
  }
}

class DeleteAllCookiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.store.CookieFor("a.org");
    h.store.CookieFor("b.org");
  }
  size_t CookieFiles() {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(h.store->CookieFolder())) count += entry.is_regular_file();
    return count;
  }
  CommandHarness h;
  RecordingLists lists;
};

TEST_F(DeleteAllCookiesTest, YesDeletesTheFilesButKeepsTheEntries) {
  ASSERT_EQ(CookieFiles(), 2u);
  DeleteAllCookiesCommand(h.context, lists);
  EXPECT_EQ(CookieFiles(), 0u);
  EXPECT_EQ(h.store.Urls().size(), 2u);
  EXPECT_EQ(h.prompt.asked, (std::vector<testing::PromptCall>{{"Really delete all Cookies?", "Delete Cookies"}}));
  EXPECT_EQ(lists.order, kResetOrder);
}

TEST_F(DeleteAllCookiesTest, NoKeepsTheFilesButTheListsAreResetAlready) {
  h.prompt.Answer(false);
  DeleteAllCookiesCommand(h.context, lists);
  EXPECT_EQ(CookieFiles(), 2u);
  EXPECT_EQ(lists.order, kResetOrder);
}

TEST_F(DeleteAllCookiesTest, SubFoldersAreNotDeleted) {
  fs::create_directory(h.store->CookieFolder() / "keep.d");
  DeleteAllCookiesCommand(h.context, lists);
  EXPECT_TRUE(fs::is_directory(h.store->CookieFolder() / "keep.d"));
}

TEST_F(DeleteAllCookiesTest, AnEmptyOrMissingFolderIsTold) {
  DeleteAllCookiesCommand(h.context, lists);
  DeleteAllCookiesCommand(h.context, lists);
  fs::remove_all(h.store->CookieFolder());
  DeleteAllCookiesCommand(h.context, lists);
  EXPECT_EQ(h.prompt.told,
            (std::vector<testing::PromptCall>{{"No Cookie files in Cookie directory!", "Delete all cookies"},
                                              {"No Cookie-Directory ???", "Delete Cookies"}}));
  EXPECT_EQ(h.prompt.asked.size(), 2u);
  EXPECT_EQ(h.store.Urls().size(), 2u);
}

}  // namespace
}  // namespace vantry::ops

#include "ops/CacheCommands.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "ops/SettingKeys.h"
#include "ops/tests/CommandFakes.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using namespace vantry::testing;
namespace fs = std::filesystem;

const std::string kSaveDirPath = testing::MemorySettings::Key(kSaveDir);

// Every command reached through the facade the main window uses, on one test store.
class CacheCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.store.Page("http://www.a.org/index.htm", "<p>Welcome</p>");
    h.store.Page("http://www.a.org/logo.gif", "gif", "Content-Type: image/gif\r\n");
    h.store.Page("http://b.org/b.htm");
    h.store.Visit("http://www.a.org/index.htm");
    h.store.Visit("mk:@MSITStore:x.chm::/a.htm");
    h.store.CookieFor("www.a.org");
    fs::create_directory(out);
    selection = {"http://www.a.org/index.htm", h.store.LocalFileOf("http://www.a.org/index.htm")};
  }
  void AnswerFolder(const std::string& folder) {
    dialogs.copyTo = [folder](CopyToChoice& c) {
      c.folder = folder;
      return true;
    };
    dialogs.comment = [](CommentChoice&) { return true; };
  }
  bool Has(const std::string& url) { return h.store.Has(url); }

  CommandHarness h;
  testing::TempFolder folder;
  std::string out = folder / "out";
  ScriptedDialogs dialogs;
  testing::MemorySettings appSettings, profile;
  RecordingLists lists;
  RecordingSink statisticsPage, findResultsPage;
  RecordingTarget findTarget;
  RecordingLocalCopies localCopies;
  FakeArchive archive;
  FakePageChecker pageChecker;
  CacheCommands commands{{h.context, dialogs, appSettings, profile, lists, statisticsPage, findResultsPage, findTarget,
                          localCopies, archive, pageChecker}};
  EntrySelection selection;
};

TEST_F(CacheCommandsTest, SaveAndTheTwoEntryCopiesHandTheEntryToTheArchive) {
  AnswerFolder(out);
  commands.Save(selection);
  commands.CopySingleFile(selection);
  commands.CopyReconstructingTree(selection);
  ASSERT_EQ(archive.calls.size(), 3u);
  EXPECT_EQ(archive.calls[0].kind, "page");
  EXPECT_EQ(archive.calls[1].kind, "page");
  EXPECT_EQ(archive.calls[2].kind, "tree");
  for (const CopyCall& call : archive.calls) {
    EXPECT_EQ(call.address, selection.address);
    EXPECT_EQ(call.localFile, selection.localFileName);
    EXPECT_EQ(call.folder, out);
  }
  EXPECT_EQ(appSettings.values[kSaveDirPath], out);
  EXPECT_EQ(profile.values[kSaveDirPath], out);
}

TEST_F(CacheCommandsTest, CopyFilesCopiesFromTheCacheFiles) {
  dialogs.copyFiles = [&](CopyFilesChoice& c) {
    c.specifier = "*.gif";
    c.folder = out;
    return true;
  };
  commands.CopyFiles();
  EXPECT_TRUE(fs::exists(fs::path(out) / "logo.gif"));
}

TEST_F(CacheCommandsTest, StickyCommandsMarkTheStore) {
  commands.StickyFile(selection);
  EXPECT_NE(h.store.TypeOf("http://www.a.org/index.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(h.store.TypeOf("http://www.a.org/logo.gif") & cache::STICKY_CACHE_ENTRY, 0u);
  commands.StickyAddress(selection);
  EXPECT_NE(h.store.TypeOf("http://www.a.org/logo.gif") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(h.store.TypeOf("http://b.org/b.htm") & cache::STICKY_CACHE_ENTRY, 0u);
}

TEST_F(CacheCommandsTest, DeleteCommandsChangeTheStoreAndResetTheLists) {
  commands.DeleteHistoryEntry("http://www.a.org/index.htm");
  EXPECT_FALSE(Has("Visited: @http://www.a.org/index.htm"));
  commands.DeleteCacheEntry("http://b.org/b.htm");
  EXPECT_FALSE(Has("http://b.org/b.htm"));
  commands.DeleteCategory(DeleteCategory::MkProtocolHistory);
  EXPECT_FALSE(Has("Visited: @mk:@MSITStore:x.chm::/a.htm"));
  EXPECT_EQ(statisticsPage.shows, 1);
  commands.DeleteCategory(DeleteCategory::CookieEntries);
  EXPECT_EQ(h.store.Urls().size(), 2u);
  EXPECT_EQ(lists.order.size(), 12u);

  dialogs.serverDelete = [](std::string& text) {
    text = "logo.gif";
    return true;
  };
  commands.DeleteCacheEntries();
  EXPECT_EQ(h.store.Urls(), std::vector<std::string>{"http://www.a.org/index.htm"});
  EXPECT_EQ(lists.order.size(), 12u);
}

TEST_F(CacheCommandsTest, DeleteAllCookiesEmptiesTheCookieFolder) {
  commands.DeleteAllCookies();
  EXPECT_TRUE(fs::is_empty(h.store->CookieFolder()));
  EXPECT_EQ(lists.order.size(), 3u);
}

TEST_F(CacheCommandsTest, FindCommandsReachTheListAndTheResultsPage) {
  dialogs.findFiles = [](FindFilesChoice& c) {
    c.name = "*.gif";
    return true;
  };
  commands.FindFilesInCache();
  EXPECT_EQ(findTarget.calls.back(), "expand");
  dialogs.searchText = [](SearchTextChoice& c) {
    c.text = "welcome";
    c.searchCache = true;
    return true;
  };
  commands.FindTextInFiles();
  EXPECT_EQ(findResultsPage.lines, std::vector<std::string>{selection.localFileName + " :   Welcome</p"});
  EXPECT_EQ(commands.AddressOfLocalFile(selection.localFileName), selection.address);
}

TEST_F(CacheCommandsTest, CheckLinksShowsTheReportLinesOfTheSelectedFile) {
  commands.CheckLinks(selection, PageChecker::Report::Passed);
  EXPECT_EQ(pageChecker.checked, std::vector<std::string>{selection.localFileName});
  EXPECT_EQ(findResultsPage.lines,
            (std::vector<std::string>{"2 links                1 Images ", "Link OK: http://a/"}));
  commands.CheckLinks({}, PageChecker::Report::Dead);
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"Nothing to copy!", "No Selection"}}));
  EXPECT_EQ(pageChecker.checked.size(), 1u);
}

}  // namespace
}  // namespace vantry::ops

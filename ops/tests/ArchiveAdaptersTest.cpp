#include "ops/ArchiveAdapters.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "archive/CopyRecords.h"
#include "ops/CacheCommands.h"
#include "ops/SettingKeys.h"
#include "ops/tests/CommandFakes.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using namespace vantry::testing;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The cache commands on a small store, with the real archive behind them.
class ArchiveAdaptersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.store.Page("http://www.a.org/index.htm", "<p>Go to <a href=\"sub/b.htm\">the next page</a>.</p>");
    h.store.Page("http://www.a.org/sub/b.htm", "<p>This is the Second page.</p>");
    fs::create_directories(folder.path() / "work");
    fs::create_directories(folder.path() / "tmp");
    fs::create_directories(out);
    archive::PrepareArchiveFiles(paths, h.prompt);
    selection = {"http://www.a.org/index.htm", h.store.LocalFileOf("http://www.a.org/index.htm")};
  }
  void CopyTree(const std::string& comment) {
    dialogs.copyTo = [this](CopyToChoice& c) {
      c.folder = out;
      return true;
    };
    dialogs.comment = [comment](CommentChoice& c) {
      c.comment = comment;
      return true;
    };
    commands.CopyReconstructingTree(selection);
  }
  void SearchText(const std::string& text, bool localCopies, bool comments) {
    dialogs.searchText = [=](SearchTextChoice& c) {
      c.text = text;
      c.searchLocalCopies = localCopies;
      c.searchCommentFields = comments;
      return true;
    };
    commands.FindTextInFiles();
  }

  CommandHarness h;
  testing::TempFolder folder;
  std::string out = folder / "out";
  archive::ArchivePaths paths = archive::MakeArchivePaths(folder / "work");
  ScriptedDialogs dialogs;
  testing::MemorySettings appSettings, profile;
  RecordingLists lists;
  RecordingSink statisticsPage, findResultsPage;
  RecordingTarget findTarget;
  ArchiveLocalCopySearch localCopies{paths, h.prompt};
  ArchiveCopies copies{*h.store, paths, h.prompt};
  ArchivePageChecker pageChecker{h.prompt};
  CacheCommands commands{{h.context, dialogs, appSettings, profile, lists, statisticsPage, findResultsPage, findTarget,
                          localCopies, copies, pageChecker}};
  EntrySelection selection;
};

TEST_F(ArchiveAdaptersTest, CopyReconstructingTreeWritesTheTreeTheRecordsAndTheIndexPage) {
  CopyTree("Pages of a");

  EXPECT_TRUE(fs::is_regular_file(fs::path(out) / "www.a.org/index.htm"));
  EXPECT_EQ(ReadFile(fs::path(out) / "www.a.org/sub/b.htm"), "<p>This is the Second page.</p>");
  const std::optional<std::vector<archive::CopyRecord>> records = archive::ReadCopyRecords(paths);
  ASSERT_TRUE(records.has_value());
  std::vector<std::string> copied;
  for (const archive::CopyRecord& record : *records) copied.push_back(record.address);
  EXPECT_EQ(copied, (std::vector<std::string>{"http://www.a.org/index.htm", "http://www.a.org/sub/b.htm"}));
  const ServerRecord server = copies.FindServerRecord("WWW.A.ORG");
  EXPECT_EQ(server.folder, out);
  EXPECT_EQ(server.comment, "Pages of a");
  EXPECT_NE(server.flags & archive::kCommentConfirmed, 0);
  EXPECT_NE(ReadFile(paths.index).find("Pages of a"), std::string::npos);
  EXPECT_EQ(profile.values[testing::MemorySettings::Key(kCopySaveDir)], out);
}

TEST_F(ArchiveAdaptersTest, ASecondCopyProposesTheRecordedFolder) {
  CopyTree("first");
  std::string proposed;
  dialogs.copyTo = [&](CopyToChoice& c) {
    proposed = c.folder;
    return false;
  };
  commands.CopyReconstructingTree(selection);
  EXPECT_EQ(proposed, out);
}

TEST_F(ArchiveAdaptersTest, FindTextSearchesTheCopiedPagesAndTheCommentFields) {
  CopyTree("Pages of a");
  SearchText("Second", true, false);
  ASSERT_EQ(findResultsPage.lines.size(), 1u);
  EXPECT_TRUE(findResultsPage.lines[0].ends_with("b.htm :    Second page")) << findResultsPage.lines[0];

  SearchText("pages", false, true);
  EXPECT_EQ(findResultsPage.lines, std::vector<std::string>{"www.a.org : Pages of a"});
  SearchText("nowhere", true, true);
  EXPECT_TRUE(findResultsPage.lines.empty());
}

TEST_F(ArchiveAdaptersTest, PageCheckReportGoesToTheFindInFilesPage) {
  const std::string page = folder / "page.htm";
  std::ofstream(folder / "here.htm") << "x";
  std::ofstream(page) << "<a href=\"here.htm\">here</a> <a href=\"gone.htm\">gone</a> <img src=\"none.gif\">";
  const std::string base = "file://" + folder.path().string() + "/";
  const std::pair<PageChecker::Report, std::vector<std::string>> rows[] = {
      {PageChecker::Report::Passed, {"2 links                1 Images ", "Link OK: " + base + "here.htm"}},
      {PageChecker::Report::Dead,
       {"2 links                1 Images ", "DEAD LINK: " + base + "gone.htm", "DEAD Img: " + base + "none.gif"}},
  };
  for (const auto& [report, lines] : rows) {
    commands.CheckLinks({"http://www.a.org/page.htm", page}, report);
    EXPECT_EQ(findResultsPage.lines, lines);
  }
  EXPECT_EQ(h.cursor.events, (std::vector<std::string>{"wait", "arrow", "wait", "arrow"}));
}

}  // namespace
}  // namespace vantry::ops

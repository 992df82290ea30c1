#include "ops/CopyCommands.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "ops/SettingKeys.h"
#include "ops/tests/CommandFakes.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

namespace fs = std::filesystem;

const std::string kSaveDirPath = testing::MemorySettings::Key(kSaveDir);
const std::string kFilesToCopyPath = testing::MemorySettings::Key(kFilesToCopy);
const std::string kCopyDirectoryPath = testing::MemorySettings::Key(kCopyDirectory);

class CopyEntryCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(recorded);
    fs::create_directory(other);
    archive.records["www.a.org"] = {recorded, archive::kMarkBackgroundSync, "my notes"};
    appSettings.values[kSaveDirPath] = "/app/save";
    profile.values[kSaveDirPath] = "/profile/save";
  }
  void Run(EntryCopyCommand command, EntrySelection selection = {"http://www.a.org/x.htm", "/c/x.htm"}) {
    CopyEntryCommand(h.context, command, selection, dialogs, archive, appSettings, profile);
  }
  // OK in the folder dialog with `folder`, after noting what it proposed.
  void ChooseFolder(std::string folder, bool showComment, bool deleteAfter = false, bool create = false) {
    dialogs.copyTo = [=, this](CopyToChoice& c) {
      proposed = c;
      c.folder = folder;
      c.showCommentDialog = showComment;
      c.deleteAfterCopy = deleteAfter;
      c.createNewFolder = create;
      return true;
    };
  }
  void Comment(std::string text, bool backup, bool sync) {
    dialogs.comment = [=, this](CommentChoice& c) {
      commentShown = c;
      c = {text, backup, sync};
      return true;
    };
  }

  CommandHarness h;
  testing::TempFolder folder;
  std::string recorded = folder / "recorded";
  std::string other = folder / "other";
  FakeArchive archive;
  ScriptedDialogs dialogs;
  testing::MemorySettings appSettings, profile;
  CopyToChoice proposed;
  CommentChoice commentShown;
};

TEST_F(CopyEntryCommandTest, EveryCommandNeedsASelection) {
  for (EntryCopyCommand command :
       {EntryCopyCommand::Save, EntryCopyCommand::CopySingleFile, EntryCopyCommand::CopyTree})
    Run(command, {"http://www.a.org/x.htm", ""});
  EXPECT_EQ(h.prompt.told, std::vector<testing::PromptCall>(3, {"Nothing to copy!", "No Selection"}));
  EXPECT_TRUE(dialogs.opened.empty());
  EXPECT_TRUE(appSettings.values[kSaveDirPath] == "/app/save" && profile.values[kSaveDirPath] == "/profile/save");
}

TEST_F(CopyEntryCommandTest, CancelStillStoresTheProposedFolder) {
  dialogs.copyTo = [&](CopyToChoice& c) {
    proposed = c;
    return false;
  };
  Run(EntryCopyCommand::CopySingleFile);
  EXPECT_EQ(proposed.folder, recorded);
  EXPECT_EQ(profile.values[kSaveDirPath], recorded);
  EXPECT_EQ(appSettings.values[kSaveDirPath], "/app/save");
  EXPECT_TRUE(archive.calls.empty());
  EXPECT_EQ(archive.askedFor, std::vector<std::string>{"www.a.org"});
}

TEST_F(CopyEntryCommandTest, AnUnrecordedServerProposesTheCommandsOwnSaveDir) {
  dialogs.copyTo = [&](CopyToChoice& c) {
    proposed = c;
    return false;
  };
  Run(EntryCopyCommand::Save, {"http://new.org/x.htm", "/c/x.htm"});
  EXPECT_EQ(proposed.folder, "/app/save");
  Run(EntryCopyCommand::CopyTree, {"http://new.org/x.htm", "/c/x.htm"});
  EXPECT_EQ(proposed.folder, "/profile/save");
  EXPECT_TRUE(proposed.showCommentDialog);
}

TEST_F(CopyEntryCommandTest, SaveAlwaysAsksForTheCommentPrefilledFromTheRecord) {
  ChooseFolder(recorded, false);
  Comment("new notes", true, false);
  Run(EntryCopyCommand::Save);
  EXPECT_EQ(commentShown.comment, "my notes");
  EXPECT_FALSE(commentShown.automaticBackup);
  EXPECT_TRUE(commentShown.backgroundSync);
  const CopyCall expected{"page", "/c/x.htm", "http://www.a.org/x.htm", recorded, 1, 1, "new notes", false};
  EXPECT_EQ(archive.calls, std::vector<CopyCall>{expected});
  EXPECT_EQ(appSettings.values[kSaveDirPath], recorded);
  EXPECT_EQ(profile.values[kSaveDirPath], "/profile/save");
  EXPECT_TRUE(h.cursor.events.empty());
}

TEST_F(CopyEntryCommandTest, CancelledCommentCopiesNothingButStoresTheFolder) {
  ChooseFolder(other, true);
  dialogs.comment = [](CommentChoice&) { return false; };
  Run(EntryCopyCommand::CopySingleFile);
  EXPECT_TRUE(archive.calls.empty());
  EXPECT_EQ(profile.values[kSaveDirPath], other);
}

TEST_F(CopyEntryCommandTest, FlagsAndNewFolderOfEachCommand) {
  struct Row {
    EntryCopyCommand command;
    std::string chosen;
    bool showComment;
    bool deleteAfter;
    CopyCall expected;
  };
  const Row rows[] = {
      {EntryCopyCommand::CopySingleFile, recorded, false, true, {"page", "", "", recorded, 1, 0, "", false}},
      {EntryCopyCommand::CopySingleFile, other, true, true, {"page", "", "", other, 1, 8 | 2 | 1, "c", true}},
      {EntryCopyCommand::CopyTree, recorded, false, false, {"tree", "", "", recorded, 0, 0, "", false}},
      {EntryCopyCommand::CopyTree, recorded, false, true, {"tree", "", "", recorded, 0, 4, "", false}},
      {EntryCopyCommand::CopyTree, other, true, true, {"tree", "", "", other, 0, 8 | 4 | 2 | 1, "c", true}},
      {EntryCopyCommand::Save, recorded, true, true, {"page", "", "", recorded, 1, 2 | 1, "c", false}},
  };
  for (const Row& row : rows) {
    archive.calls.clear();
    ChooseFolder(row.chosen, row.showComment, row.deleteAfter);
    Comment("c", true, true);
    Run(row.command);
    CopyCall expected = row.expected;
    expected.localFile = "/c/x.htm";
    expected.address = "http://www.a.org/x.htm";
    EXPECT_EQ(archive.calls, std::vector<CopyCall>{expected}) << static_cast<int>(row.command);
  }
}

TEST_F(CopyEntryCommandTest, AFolderDifferingOnlyInCaseIsANewFolder) {
  std::string upper = recorded;
  upper.back() = 'D';
  ChooseFolder(upper, false);
  Run(EntryCopyCommand::CopyTree);
  ASSERT_EQ(archive.calls.size(), 1u);
  EXPECT_TRUE(archive.calls[0].newFolder);
}

TEST_F(CopyEntryCommandTest, TreeCopyShowsItsStatusAndTheWaitCursor) {
  ChooseFolder(recorded, false);
  Run(EntryCopyCommand::CopyTree);
  EXPECT_EQ(h.frame.statusTexts,
            (std::vector<std::string>{"Wait! Copying and exchanging URL's!", "Copied 3 files to " + recorded}));
  EXPECT_EQ(h.cursor.events, (std::vector<std::string>{"wait", "arrow"}));
}

TEST_F(CopyEntryCommandTest, EveryCopySaysWhatItCopiedWhereAndTheTreeCopyIsFollowed) {
  const struct {
    EntryCopyCommand command;
    CopyOutcome outcome;
    bool commentGiven;
    std::vector<std::string> statusTexts;
    size_t works;
  } rows[] = {
      {EntryCopyCommand::CopyTree, {false, 1}, true, {"Copy stopped: copied 1 file to " + recorded}, 1},
      {EntryCopyCommand::CopyTree, {true, 0}, false, {"Ready"}, 0},
      {EntryCopyCommand::CopySingleFile, {true, 2}, true, {"Copied 2 files to " + recorded}, 0},
      {EntryCopyCommand::Save, {true, 1}, true, {"Copied 1 file to " + recorded}, 0},
      {EntryCopyCommand::Save, {true, 1}, false, {}, 0},
  };
  for (const auto& row : rows) {
    h.frame = {};
    archive.outcome = row.outcome;
    ChooseFolder(recorded, true);
    Comment("c", false, false);
    if (!row.commentGiven) dialogs.comment = [](CommentChoice&) { return false; };
    Run(row.command);
    std::vector<std::string> texts = h.frame.statusTexts;
    if (row.command == EntryCopyCommand::CopyTree) texts.erase(texts.begin());  // "Wait! Copying ..."
    EXPECT_EQ(texts, row.statusTexts) << static_cast<int>(row.command);
    ASSERT_EQ(h.frame.works.size(), row.works);
    if (row.works) {
      EXPECT_TRUE(h.frame.works[0].ended && h.frame.works[0].advances == 1);
    }
  }
}

TEST_F(CopyEntryCommandTest, CreateNewFolderMakesItOrEndsWithoutStoringTheFolder) {
  const std::string twoLevels = folder / "new/sub";
  ChooseFolder(twoLevels, false, false, true);
  Run(EntryCopyCommand::CopySingleFile);
  EXPECT_TRUE(fs::is_directory(twoLevels));
  EXPECT_EQ(profile.values[kSaveDirPath], twoLevels);
  ASSERT_EQ(archive.calls.size(), 1u);

  const std::string threeLevels = folder / "x/y/z";
  ChooseFolder(threeLevels, false, false, true);
  Run(EntryCopyCommand::CopyTree);
  EXPECT_EQ(archive.calls.size(), 1u);
  EXPECT_EQ(profile.values[kSaveDirPath], twoLevels);
  ASSERT_EQ(h.prompt.told.size(), 1u);
  EXPECT_EQ(h.prompt.told[0].text, threeLevels);
  EXPECT_TRUE(h.cursor.EndsWithArrow());
  EXPECT_EQ(h.frame.statusTexts.back(), "Ready");
}

class CopyFilesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.store.Page("http://a.org/index.htm");
    h.store.Page("http://a.org/ab.gif", "gif", "Content-Type: image/gif\r\n");
    fs::create_directory(target);
  }
  size_t CopiedFiles() {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(target)) count += entry.is_regular_file();
    return count;
  }
  CommandHarness h;
  testing::TempFolder folder;
  std::string target = folder / "out";
  ScriptedDialogs dialogs;
  testing::MemorySettings profile;
};

TEST_F(CopyFilesCommandTest, ProposesTheDefaultsAndCancelWritesNothing) {
  CopyFilesChoice shown;
  dialogs.copyFiles = [&](CopyFilesChoice& c) {
    shown = c;
    return false;
  };
  CopyFilesCommand(h.context, dialogs, profile);
  EXPECT_EQ(shown.specifier, "*.*");
  EXPECT_EQ(shown.folder, std::string(std::getenv("HOME")) + "/cache");
  EXPECT_FALSE(shown.deleteAfterCopy || shown.createNewFolder);
  EXPECT_TRUE(profile.values.empty());
}

TEST_F(CopyFilesCommandTest, ShortSpecifiersAskFirst) {
  struct Row {
    const char* specifier;
    bool answer;
    bool asked;
    size_t copied;
  };
  const Row rows[] = {
      {"ab", false, true, 0},  {"ab", true, true, 1}, {"*", true, false, 2},
      {"abc", true, false, 0}, {"h", true, true, 2},
  };
  for (const Row& row : rows) {
    fs::remove_all(target);
    fs::create_directory(target);
    h.prompt.asked.clear();
    h.prompt.Answer(row.answer);
    dialogs.copyFiles = [&](CopyFilesChoice& c) {
      c.specifier = row.specifier;
      c.folder = target;
      return true;
    };
    CopyFilesCommand(h.context, dialogs, profile);
    EXPECT_EQ(h.prompt.asked.size(), row.asked ? 1u : 0u) << row.specifier;
    if (row.asked) {
      EXPECT_EQ(h.prompt.asked[0],
                (testing::PromptCall{"Copy specifier very short, copy anyway ?", "Whole cache may get copied"}));
    }
    EXPECT_EQ(CopiedFiles(), row.copied) << row.specifier;
    h.prompt.asked.clear();
  }
}

TEST_F(CopyFilesCommandTest, StoresTheDialogsValuesAfterCopying) {
  profile.values[kFilesToCopyPath] = "*.gif";
  profile.values[kCopyDirectoryPath] = target;
  dialogs.copyFiles = [&](CopyFilesChoice& c) {
    EXPECT_EQ(c.specifier, "*.gif");
    EXPECT_EQ(c.folder, target);
    c.specifier = "*.htm";
    c.deleteAfterCopy = true;
    return true;
  };
  CopyFilesCommand(h.context, dialogs, profile);
  EXPECT_EQ(CopiedFiles(), 1u);
  EXPECT_FALSE(h.store.Has("http://a.org/index.htm"));
  EXPECT_EQ(profile.values[kFilesToCopyPath], "*.htm");
  EXPECT_EQ(profile.values[kCopyDirectoryPath], target);
  EXPECT_EQ(h.frame.progressBarRequests, 1);
  EXPECT_EQ(h.frame.progressResets, 1);
  EXPECT_EQ(h.cursor.events, (std::vector<std::string>{"wait", "arrow"}));
}

TEST_F(CopyFilesCommandTest, EmptySpecifierAndFailedFolderStopBeforeCopying) {
  dialogs.copyFiles = [&](CopyFilesChoice& c) {
    c.specifier = "";
    c.folder = target;
    return true;
  };
  CopyFilesCommand(h.context, dialogs, profile);
  dialogs.copyFiles = [&](CopyFilesChoice& c) {
    c.folder = folder / "x/y/z";
    c.createNewFolder = true;
    return true;
  };
  CopyFilesCommand(h.context, dialogs, profile);
  EXPECT_EQ(h.prompt.told,
            (std::vector<testing::PromptCall>{
                {"Nothing to copy?", "Copy files"},
                {folder / "x/y/z", "Unable to create Directory?? Only 2 Levels of create new folders allowed!"}}));
  EXPECT_TRUE(profile.values.empty());
  EXPECT_EQ(CopiedFiles(), 0u);
}

}  // namespace
}  // namespace vantry::ops

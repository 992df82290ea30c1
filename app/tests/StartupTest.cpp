#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/StartupArchive.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::app {

namespace {

TEST(StartupTest, FirstRunCreatesAnEmptyChangeLogAndAHistoryFileOfOneCtrlZInTheWorkingDirectory) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt{false};
  auto paths = PrepareArchiveAtStartup(folder.path(), prompt);
  EXPECT_EQ(paths.index, (folder.path() / "indexfil.htm").string());
  EXPECT_EQ(files::ReadWholeFile(paths.changeLog), "");
  EXPECT_EQ(files::ReadWholeFile(paths.history), "\x1a");
  EXPECT_FALSE(std::filesystem::exists(paths.index));
  EXPECT_TRUE(prompt.told.empty());
}

TEST(StartupTest, ExistingArchiveFilesAreLeftAsTheyAre) {
  testing::TempFolder folder;
  ASSERT_TRUE(files::WriteWholeFile(folder.path() / "change.log", "a -> b\n"));
  ASSERT_TRUE(files::WriteWholeFile(folder.path() / "Histfile.dbx", "server record\n"));
  testing::ScriptedPrompt prompt{false};
  auto paths = PrepareArchiveAtStartup(folder.path(), prompt);
  EXPECT_EQ(files::ReadWholeFile(paths.changeLog), "a -> b\n");
  EXPECT_EQ(files::ReadWholeFile(paths.history), "server record\n");
  EXPECT_TRUE(prompt.told.empty());
}

TEST(StartupTest, AHistoryFileThatCannotBeCreatedIsToldThroughTheFramePrompt) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt{false};
  PrepareArchiveAtStartup(folder.path() / "missing" / "folder", prompt);
  EXPECT_EQ(prompt.told, (std::vector<testing::PromptCall>{{"Can't create History-File !??", "Vantry"}}));
}

}  // namespace

}  // namespace vantry::app

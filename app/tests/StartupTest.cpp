#include "StartupFiles.h"

#include <gtest/gtest.h>

#include "StoreFiles.h"
#include "StoreTestSupport.h"

namespace {

TEST(StartupTest, ArchivePathsAreBuiltFromTheWorkingDirectory) {
  StartupFiles files = StartupFilesIn("/home/u/work");
  EXPECT_EQ(files.history, "/home/u/work/Histfile.dbx");
  EXPECT_EQ(files.changeLog, "/home/u/work/change.log");
  EXPECT_EQ(files.indexPage, "/home/u/work/indexfil.htm");
}

TEST(StartupTest, FirstRunCreatesAnEmptyChangeLogAndAHistoryFileOfOneCtrlZ) {
  TempFolder folder;
  StartupFiles files = StartupFilesIn(folder.path());
  EXPECT_TRUE(PrepareStartupFiles(files));
  EXPECT_EQ(ReadWholeFile(files.changeLog), "");
  EXPECT_EQ(ReadWholeFile(files.history), "\x1a");
  EXPECT_FALSE(std::filesystem::exists(files.indexPage));
}

TEST(StartupTest, ExistingArchiveFilesAreLeftAsTheyAre) {
  TempFolder folder;
  StartupFiles files = StartupFilesIn(folder.path());
  ASSERT_TRUE(WriteWholeFile(files.changeLog, "a -> b\n"));
  ASSERT_TRUE(WriteWholeFile(files.history, "server record\n"));
  EXPECT_TRUE(PrepareStartupFiles(files));
  EXPECT_EQ(ReadWholeFile(files.changeLog), "a -> b\n");
  EXPECT_EQ(ReadWholeFile(files.history), "server record\n");
}

TEST(StartupTest, AHistoryFileThatCannotBeCreatedIsReported) {
  TempFolder folder;
  StartupFiles files = StartupFilesIn(folder.path() / "missing" / "folder");
  EXPECT_FALSE(PrepareStartupFiles(files));
  EXPECT_FALSE(std::filesystem::exists(files.changeLog));
}

}  // namespace

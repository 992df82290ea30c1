#include "archive/ArchivePaths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive/ArchiveLineReader.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(MakeArchivePaths, PutsEveryFileInTheGivenFolder) {
  const ArchivePaths paths = MakeArchivePaths("/work/dir");
  const std::pair<std::string, const char*> expected[] = {
      {paths.history, "/work/dir/Histfile.dbx"},       {paths.copies, "/work/dir/Allfile.dbx"},
      {paths.historyBackup, "/work/dir/Histfile.bak"}, {paths.historyTemp, "/work/dir/Histfile.tmp"},
      {paths.changeLog, "/work/dir/change.log"},       {paths.index, "/work/dir/indexfil.htm"},
      {paths.indexBackup, "/work/dir/indexfil.bak"},   {paths.indexTemp, "/work/dir/indexfil.tmp"},
  };
  for (const auto& [actual, wanted] : expected) EXPECT_EQ(actual, wanted);
  EXPECT_EQ(MakeArchivePaths("/work/dir/").history, "/work/dir/Histfile.dbx");
}

TEST(PrepareArchiveFiles, CreatesAnEmptyChangeLogAndACtrlZHistoryOnFirstRun) {
  testing::TempFolder folder;
  const ArchivePaths paths = MakeArchivePaths(folder.path());
  testing::ScriptedPrompt prompt{false};
  PrepareArchiveFiles(paths, prompt);
  EXPECT_EQ(testing::ReadTestFile(paths.changeLog), "");
  EXPECT_EQ(testing::ReadTestFile(paths.history), "\x1A");
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(PrepareArchiveFiles, LeavesExistingFilesAlone) {
  testing::TempFolder folder;
  const ArchivePaths paths = MakeArchivePaths(folder.path());
  testing::WriteTestFile(paths.changeLog, "s\t/a/\ta.html\n");
  testing::WriteTestFile(paths.history, "s\t/d\ttx\t8\t55\tc\n");
  testing::ScriptedPrompt prompt{false};
  PrepareArchiveFiles(paths, prompt);
  EXPECT_EQ(testing::ReadTestFile(paths.changeLog), "s\t/a/\ta.html\n");
  EXPECT_EQ(testing::ReadTestFile(paths.history), "s\t/d\ttx\t8\t55\tc\n");
}

TEST(PrepareArchiveFiles, ReportsAHistoryFileThatCannotBeCreated) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt{false};
  PrepareArchiveFiles(MakeArchivePaths(folder / "missing"), prompt);
  EXPECT_THAT(prompt.told, ElementsAre(testing::PromptCall{"Can't create History-File !??", "Vantry"}));
}

std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  ArchiveLineReader reader(text);
  while (std::optional<std::string> line = reader.Next()) lines.push_back(*line);
  return lines;
}

TEST(ArchiveLineReader, EndsLinesAtLineFeedsAndCtrlZAndDropsCarriageReturns) {
  EXPECT_THAT(LinesOf("a\r\nb\n\nc"), ElementsAre("a", "b", "", "c"));
  EXPECT_THAT(LinesOf("\x1A"
                      "rest\n"),
              ElementsAre("\x1A", "rest"));
  EXPECT_THAT(LinesOf(""), IsEmpty());
}

TEST(ArchiveLineReader, CutsLongLinesAt767CharactersAndReturnsTheRestAsTheNextLine) {
  const std::vector<std::string> lines = LinesOf(std::string(800, 'x') + "\nnext");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 767u);
  EXPECT_EQ(lines[1], std::string(33, 'x'));
  EXPECT_EQ(lines[2], "next");
}

}  // namespace
}  // namespace vantry::archive

#include "archive/CopyRecords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CopyRecords, AppendedRecordsReadBackInOrder) {
  testing::TempFolder folder;
  const ArchivePaths paths = MakeArchivePaths(folder.path());
  testing::ScriptedPrompt prompt{false};
  ASSERT_TRUE(AppendCopyRecord(paths, "http://s/a.htm", "/c/s/a.htm", "cprx", prompt));
  ASSERT_TRUE(AppendCopyRecord(paths, "http://s/b c.htm", "/c/s/b c.htm", "cprx", prompt));
  EXPECT_EQ(testing::ReadTestFile(paths.copies),
            "http://s/a.htm /c/s/a.htm cprx\nhttp://s/b c.htm /c/s/b c.htm cprx\n");
  const std::optional<std::vector<CopyRecord>> records = ReadCopyRecords(paths);
  ASSERT_TRUE(records);
  // A blank inside the address splits the record there.
  EXPECT_THAT(*records, ElementsAre(CopyRecord{"http://s/a.htm", "/c/s/a.htm", "cprx"},
                                    CopyRecord{"http://s/b", "c.htm", "/c/s/b c.htm cprx"}));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(CopyRecords, ReportsAnAllfileThatCannotBeOpened) {
  testing::TempFolder folder;
  const ArchivePaths paths = MakeArchivePaths(folder / "missing");
  testing::ScriptedPrompt prompt{false};
  EXPECT_FALSE(AppendCopyRecord(paths, "http://s/a", "/c/a", "cprx", prompt));
  EXPECT_THAT(prompt.told, ElementsAre(testing::PromptCall{"Write: Error opening History file !!", "Vantry"}));
  EXPECT_FALSE(ReadCopyRecords(paths));
}

TEST(ReadCopyRecord, SplitsAtTheFirstTwoBlanks) {
  EXPECT_FALSE(ReadCopyRecord("http://s/a /c/a"));
  EXPECT_FALSE(ReadCopyRecord(""));
  EXPECT_EQ(*ReadCopyRecord("a b c d"), (CopyRecord{"a", "b", "c d"}));
  EXPECT_EQ(*ReadCopyRecord("a b "), (CopyRecord{"a", "b", ""}));
}

TEST(SearchLocalCopy, ListsTheTextFromTheLastBlankBeforeTheWordToTheNextPeriod) {
  testing::TempFolder folder;
  testing::WriteTestFile(folder / "p.html", "<p>Intro. The quick Fox jumps. Then more.");
  testing::WriteTestFile(folder / "start.htm", "Fox at the start. Nothing before.");
  testing::WriteTestFile(folder / "open.HTM", "no period after the fox");
  testing::WriteTestFile(folder / "p.txt", "a Fox here.");
  struct Case {
    const char* file;
    const char* word;
    bool caseSensitive;
    std::vector<std::string> results;
  };
  const std::string p = folder / "p.html";
  const Case cases[] = {
      {"p.html", "Fox", true, {p + " :    Fox jumps"}},
      {"p.html", "fox", false, {p + " :    Fox jumps"}},
      {"p.html", "fox", true, {}},
      {"p.html", "quick", true, {p + " :    quick Fox jumps"}},
      {"start.htm", "Fox", true, {}},
      {"open.HTM", "fox", true, {folder / "open.HTM" + " :   "}},
      {"p.txt", "Fox", true, {}},
      {"absent.html", "Fox", true, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> results;
    EXPECT_EQ(SearchLocalCopy(folder / c.file, c.word, c.caseSensitive, results), !c.results.empty());
    EXPECT_EQ(results, c.results) << c.file << " " << c.word;
  }
}

}  // namespace
}  // namespace vantry::archive

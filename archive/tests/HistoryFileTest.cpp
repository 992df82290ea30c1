#include "archive/HistoryFile.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = testing::PromptCall;

class HistoryFileTest : public ::testing::Test {
 protected:
  HistoryFileTest() : paths_(MakeArchivePaths(folder_.path())) { PrepareArchiveFiles(paths_, prompt_); }
  std::string History() const { return testing::ReadTestFile(paths_.history); }

  testing::TempFolder folder_;
  ArchivePaths paths_;
  testing::ScriptedPrompt prompt_{false};
};

TEST_F(HistoryFileTest, FirstWriteIntoANewFileLeavesExactlyOneRecord) {
  ASSERT_TRUE(WriteHistoryRecord(paths_, "www.a.org", "/copies/a", 9, "first copy", prompt_));
  EXPECT_EQ(History(), "www.a.org\t/copies/a\ttx\t9\t55\tfirst copy\n");
  EXPECT_EQ(testing::ReadTestFile(paths_.historyBackup), "\x1A");
  EXPECT_FALSE(std::filesystem::exists(paths_.historyTemp));
  EXPECT_THAT(prompt_.told, IsEmpty());
}

TEST_F(HistoryFileTest, RewritingAServerLeavesOneRecordAtTheEndAndKeepsTheOldFileAsBackup) {
  WriteHistoryRecord(paths_, "www.a.org", "/copies/a", 8, "a", prompt_);
  WriteHistoryRecord(paths_, "www.b.org", "/copies/b", 8, "b", prompt_);
  const std::string before = History();
  WriteHistoryRecord(paths_, "WWW.A.ORG", "/copies/a2", 11, "again", prompt_);
  EXPECT_EQ(History(),
            "www.b.org\t/copies/b\ttx\t8\t55\tb\n"
            "WWW.A.ORG\t/copies/a2\ttx\t11\t55\tagain\n");
  EXPECT_EQ(testing::ReadTestFile(paths_.historyBackup), before);
}

TEST_F(HistoryFileTest, CarriesCodeAndNumberOverFromTheLastRecord) {
  testing::WriteTestFile(paths_.history, "old.org\t/d\tab\t1\t77\tc\n");
  WriteHistoryRecord(paths_, "new.org", "/n", 8, "n", prompt_);
  EXPECT_EQ(History(), "old.org\t/d\tab\t1\t77\tc\nnew.org\t/n\tab\t8\t77\tn\n");
}

TEST_F(HistoryFileTest, ReadsBackACommentWithTabsWhole) {
  WriteHistoryRecord(paths_, "s.org", "/d", 8, "one\ttwo\tthree", prompt_);
  const std::optional<HistoryRecord> found = FindServerRecord(paths_, "S.Org", prompt_);
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (HistoryRecord{"s.org", "/d", "tx", 8, 55, "one\ttwo\tthree"}));
}

TEST_F(HistoryFileTest, KeepsACommentWithLineBreaksOnOneLine) {
  WriteHistoryRecord(paths_, "s.org", "/d", 8, "line one\nline two", prompt_);
  EXPECT_EQ(FindServerRecord(paths_, "s.org", prompt_)->comment, "line one line two");
}

TEST_F(HistoryFileTest, CutsARecordLongerThan767Characters) {
  const std::string fields = "s.org\t/d\ttx\t8\t55\t";
  const std::string keptComment(767 - fields.size(), 'c');
  testing::WriteTestFile(paths_.history, fields + keptComment + "ccc\tx\n");
  const std::optional<HistoryRecord> found = FindServerRecord(paths_, "s.org", prompt_);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->comment, keptComment);
  WriteHistoryRecord(paths_, "t.org", "/t", 8, "t", prompt_);
  EXPECT_EQ(History(), fields + keptComment + "\nt.org\t/t\ttx\t8\t55\tt\n");
}

TEST_F(HistoryFileTest, FindsNothingForAnUnknownServerOrAnEmptyFile) {
  EXPECT_FALSE(FindServerRecord(paths_, "s.org", prompt_));
  WriteHistoryRecord(paths_, "s.org", "/d", 8, "", prompt_);
  EXPECT_FALSE(FindServerRecord(paths_, "t.org", prompt_));
  EXPECT_THAT(prompt_.told, IsEmpty());
}

TEST_F(HistoryFileTest, ReportsAMissingHistoryFileAndChangesNothing) {
  std::filesystem::remove(paths_.history);
  EXPECT_FALSE(WriteHistoryRecord(paths_, "s.org", "/d", 8, "c", prompt_));
  EXPECT_FALSE(std::filesystem::exists(paths_.history));
  EXPECT_FALSE(FindServerRecord(paths_, "s.org", prompt_));
  std::vector<std::string> results;
  SearchHistory(paths_, {.commentText = "c"}, results, prompt_);
  EXPECT_THAT(prompt_.told, ElementsAre(Call{"Write: Error opening History file !!", "Vantry"},
                                        Call{"Read: Couldn't open History file !!", "Vantry"},
                                        Call{"Read: Couldn't open History file !!", "Vantry"}));
}

TEST_F(HistoryFileTest, SearchesTheChosenFieldAndListsServerAndComment) {
  WriteHistoryRecord(paths_, "www.news.org", "/n", 8, "Daily Paper", prompt_);
  WriteHistoryRecord(paths_, "shop.example", "/s", 8, "prices and news", prompt_);
  struct Case {
    HistorySearch search;
    std::vector<std::string> results;
  };
  const Case cases[] = {
      {{.commentText = "NEWS"}, {"shop.example : prices and news"}},
      {{.commentText = "NEWS", .caseSensitive = true}, {}},
      {{.addressText = "news", .addressMode = true}, {"www.news.org : Daily Paper"}},
      {{.addressText = "E", .addressMode = true}, {"www.news.org : Daily Paper", "shop.example : prices and news"}},
      {{.addressText = "E", .caseSensitive = true, .addressMode = true}, {}},
      {{.addressText = "paper", .commentText = "paper"}, {"www.news.org : Daily Paper"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> results;
    SearchHistory(paths_, c.search, results, prompt_);
    EXPECT_EQ(results, c.results) << c.search.addressText << "/" << c.search.commentText;
  }
}

TEST(ParseHistoryRecord, NeedsFiveTabsAndReadsNumbersLeniently) {
  EXPECT_FALSE(ParseHistoryRecord("a\tb\tc\t1\t2"));
  EXPECT_FALSE(ParseHistoryRecord("\x1A"));
  EXPECT_EQ(*ParseHistoryRecord("a\tb\tc\tx\t-3\t"), (HistoryRecord{"a", "b", "c", 0, -3, ""}));
}

}  // namespace
}  // namespace vantry::archive

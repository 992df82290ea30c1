#include "archive/ChangeLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ChangeLogTest : public ::testing::Test {
 protected:
  ChangeLogTest() : paths_(MakeArchivePaths(folder_.path())) { PrepareArchiveFiles(paths_, prompt_); }

  testing::TempFolder folder_;
  ArchivePaths paths_;
  testing::ScriptedPrompt prompt_{false};
};

TEST_F(ChangeLogTest, AnEmptyLogYieldsNoPairs) {
  EXPECT_THAT(LoadChangeLogPairs(paths_, "s.org", prompt_), IsEmpty());
  EXPECT_THAT(prompt_.told, IsEmpty());
}

TEST_F(ChangeLogTest, RecordsPairsPerServerInLowerCaseAndLoadsThemInOrder) {
  AppendChangeLogRecord(paths_, {"WWW.S.org", "/a/b/", "a/b.html"}, prompt_);
  AppendChangeLogRecord(paths_, {"other.org", "/x/", "x.html"}, prompt_);
  AppendChangeLogRecord(paths_, {"www.s.org", "/my docs/", "my docs.html"}, prompt_);
  AppendChangeLogRecord(paths_, {"www.s.org", "/c/", "c.html"}, prompt_);
  EXPECT_EQ(testing::ReadTestFile(paths_.changeLog),
            "www.s.org\t/a/b/\ta/b.html\nother.org\t/x/\tx.html\n"
            "www.s.org\t/my docs/\tmy docs.html\nwww.s.org\t/c/\tc.html\n");
  EXPECT_THAT(LoadChangeLogPairs(paths_, "www.S.ORG", prompt_),
              ElementsAre(ReplacementPair{"/a/b/", "a/b.html"}, ReplacementPair{"/my docs/", "my docs.html"},
                          ReplacementPair{"/c/", "c.html"}));
}

TEST_F(ChangeLogTest, SkipsLinesThatAreNoRecords) {
  testing::WriteTestFile(paths_.changeLog, "s.org\t/a/\r\n\ns.org\t/b/\tb.html\r\ngarbage\n");
  EXPECT_THAT(LoadChangeLogPairs(paths_, "s.org", prompt_), ElementsAre(ReplacementPair{"/b/", "b.html"}));
}

TEST(ReadChangeLogRecord, ReadsLinesWrittenByHandOrByOlderPrograms) {
  struct Case {
    const char* line;
    const char* fields;  // "server|prefix|name", or "" for no record
  };
  const Case cases[] = {
      {"h.test\t/p/\tp.html", "h.test|/p/|p.html"},
      {"h.test\t/my docs/\tmy docs.html", "h.test|/my docs/|my docs.html"},
      {"h.test  /p/ \t p.html", "h.test|/p/|p.html"},
      {"h.test /p/ p.html", "h.test|/p/|p.html"},
      {"h.test\t\t/p/\tp.html", "h.test|/p/|p.html"},
      {" h.test \t /a b/ \t a b.html \t", "h.test|/a b/|a b.html"},
      {"h.test\t/p/\tp.html\textra", "h.test|/p/|p.html"},
      {"h.test\t/p/", ""},
      {"h.test\t\t/p/", ""},
      {"  \t ", ""},
  };
  for (const Case& c : cases) {
    const std::optional<ChangeLogRecord> record = ReadChangeLogRecord(c.line);
    const std::string fields = record ? record->server + "|" + record->folderPrefix + "|" + record->relativeName : "";
    EXPECT_EQ(fields, c.fields) << c.line;
  }
}

TEST_F(ChangeLogTest, ReportsALogThatCannotBeOpened) {
  const ArchivePaths missing = MakeArchivePaths(folder_ / "missing");
  EXPECT_FALSE(AppendChangeLogRecord(missing, {"s", "/a/", "a.html"}, prompt_));
  EXPECT_THAT(LoadChangeLogPairs(missing, "s", prompt_), IsEmpty());
  const testing::PromptCall call{"Write: Error opening Change Log file !!", "Vantry"};
  EXPECT_THAT(prompt_.told, ElementsAre(call, call));
}

}  // namespace
}  // namespace vantry::archive

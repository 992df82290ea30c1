#include "archive/IndexPage.h"

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

constexpr const char* kHead =
    "\n<HTML>\n<Head>\n<TITLE>List of locally available Documents</TITLE>\n</HEAD>\n"
    "<BODY><H1 ALIGN=Center><U>Index of locally available Documents:</U></H1><BR><BR><BR>";
constexpr const char* kTail = "\n</BODY>\n</HTML>";

class IndexPageTest : public ::testing::Test {
 protected:
  IndexPageTest() : paths_(MakeArchivePaths(folder_.path())) {}
  std::string Page() const { return testing::ReadTestFile(paths_.index); }

  testing::TempFolder folder_;
  ArchivePaths paths_;
  testing::ScriptedPrompt prompt_{false};
};

TEST_F(IndexPageTest, FirstEntryMakesThePageWithServerColonAndComment) {
  ASSERT_TRUE(
      WriteIndexEntry(paths_, "http://www.a.org:8080/x/p.html", "/copies/www_a_org_x_p.html", "Paper", prompt_));
  EXPECT_EQ(Page(), std::string(kHead) +
                        "<UL><li><tt><a href=\"/copies/www_a_org_x_p.html\">www.a.org : Paper"
                        "</a></tt></li><br></UL><BR><BR>" +
                        kTail);
  EXPECT_FALSE(std::filesystem::exists(paths_.indexBackup));
  EXPECT_FALSE(std::filesystem::exists(paths_.indexTemp));
  EXPECT_THAT(prompt_.told, IsEmpty());
}

TEST_F(IndexPageTest, LaterEntriesFormListsOfTheirOwnLabelledWithTwoBlanks) {
  WriteIndexEntry(paths_, "http://a.org/", "/c/a.html", "", prompt_);
  const std::string first = Page();
  WriteIndexEntry(paths_, "https://b.org/q", "/c/b.html", "", prompt_);
  WriteIndexEntry(paths_, "Index.html", "/c/Index.html", "third", prompt_);
  EXPECT_EQ(Page(), std::string(kHead) +
                        "<UL><li><tt><a href=\"/c/a.html\">a.org : </a></tt></li><br></UL><BR><BR>\n"
                        "<UL><li><tt><a href=\"/c/b.html\">b.org  </a></tt></li><br></UL><BR><BR>\n"
                        "<UL><li><tt><a href=\"/c/Index.html\">  third</a></tt></li><br></UL><BR><BR>" +
                        kTail);
  EXPECT_NE(testing::ReadTestFile(paths_.indexBackup), first);
  EXPECT_EQ(testing::ReadTestFile(paths_.indexBackup).find("third"), std::string::npos);
}

TEST_F(IndexPageTest, GrowsForEntriesOfAnySize) {
  WriteIndexEntry(paths_, "http://a.org/", "/c/a.html", "a", prompt_);
  const std::string longPath = "/c/" + std::string(5000, 'p') + ".html";
  const std::string longComment(3000, 'k');
  WriteIndexEntry(paths_, "http://b.org/", longPath, longComment, prompt_);
  const std::string page = Page();
  EXPECT_NE(page.find("<a href=\"" + longPath + "\">b.org  " + longComment + "</a>"), std::string::npos);
  EXPECT_TRUE(page.ends_with(kTail));
}

TEST_F(IndexPageTest, APageWithoutUpperCaseBodyEndIsReportedAndKeptUnchanged) {
  const std::string edited = "<html><body>my own list</body></html>";
  testing::WriteTestFile(paths_.index, edited);
  EXPECT_TRUE(WriteIndexEntry(paths_, "http://a.org/", "/c/a.html", "a", prompt_));
  EXPECT_EQ(Page(), edited);
  EXPECT_EQ(testing::ReadTestFile(paths_.indexBackup), edited);
  EXPECT_THAT(prompt_.told, ElementsAre(Call{"Html-Index file defect!!", "Write Index"}));
}

TEST_F(IndexPageTest, ATemporaryFileThatCannotBeWrittenChangesNothing) {
  WriteIndexEntry(paths_, "http://a.org/", "/c/a.html", "a", prompt_);
  const std::string before = Page();
  ArchivePaths broken = paths_;
  broken.indexTemp = folder_ / "missing/indexfil.tmp";
  EXPECT_FALSE(WriteIndexEntry(broken, "http://b.org/", "/c/b.html", "b", prompt_));
  EXPECT_EQ(Page(), before);
  EXPECT_THAT(prompt_.told, ElementsAre(Call{"Write: Error opening Index file !!", "Vantry"}));
}

}  // namespace
}  // namespace vantry::archive

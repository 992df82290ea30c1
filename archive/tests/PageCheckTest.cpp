#include "archive/PageCheck.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/LocalHttpServer.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PageCheckTest : public ::testing::Test {
 protected:
  PageCheckTest() {
    server_.Answer("/ok.htm", 200);
    server_.Answer("/pic.gif", 200);
    server_.Answer("/old.htm", 301);
    const std::string origin = server_.origin();
    testing::WriteTestFile(folder_ / "local.htm", "here");
    testing::WriteTestFile(folder_ / "page.htm", "<html><body><a href=\"" + origin +
                                                     "/ok.htm\">ok</a> <a name=anchor>no href</a>"
                                                     "<p><a href=' " +
                                                     origin +
                                                     "/old.htm '>old</a><a href=\"local.htm\">local</a>"
                                                     "<map><area href=\"" +
                                                     origin +
                                                     "/gone.htm\"></map>"
                                                     "<img src=\"" +
                                                     origin +
                                                     "/pic.gif\"><IMG SRC=missing.gif><img alt=none></body></html>");
  }

  testing::TempFolder folder_;
  testing::LocalHttpServer server_;
  testing::ScriptedPrompt prompt_{false};
  cache::UnwatchedWork unwatched_;
};

TEST_F(PageCheckTest, ListsDeadReferencesInDocumentOrder) {
  const std::string origin = server_.origin();
  EXPECT_EQ(CheckPage(folder_ / "page.htm", PageCheckMode::kDeadReferences, prompt_, unwatched_),
            "4 links                3 Images \n"
            "DEAD LINK: " +
                origin +
                "/old.htm\n"
                "DEAD LINK: " +
                origin +
                "/gone.htm\n"
                "DEAD Img: file://" +
                folder_ / "missing.gif" +
                "\n"
                "DEAD Img: \n");
  EXPECT_THAT(prompt_.told, IsEmpty());
}

// Lets the user stop the work before check number `stopAt` (counted from 0).
class StopBeforeCheck : public cache::WorkProgress {
 public:
  explicit StopBeforeCheck(uint64_t stopAt) : stopAt_(stopAt) {}
  bool Advance(uint64_t done, uint64_t) override { return done < stopAt_; }

 private:
  uint64_t stopAt_;
};

TEST_F(PageCheckTest, StoppedItListsOnlyTheReferencesItFinishedChecking) {
  const std::string origin = server_.origin();
  const struct {
    uint64_t stopAt;
    std::string report;
  } rows[] = {
      {0, "4 links                3 Images \n"},
      {2, "4 links                3 Images \nDEAD LINK: " + origin + "/old.htm\n"},
  };
  for (const auto& row : rows) {
    StopBeforeCheck work(row.stopAt);
    EXPECT_EQ(CheckPage(folder_ / "page.htm", PageCheckMode::kDeadReferences, prompt_, work), row.report);
  }
  EXPECT_THAT(server_.requests(), ElementsAre("/ok.htm", "/old.htm"));
}

TEST_F(PageCheckTest, ListsPassedReferencesWithRelativeOnesResolvedAgainstThePage) {
  const std::string origin = server_.origin();
  EXPECT_EQ(CheckPage(folder_ / "page.htm", PageCheckMode::kPassedReferences, prompt_, unwatched_),
            "4 links                3 Images \n"
            "Link OK: " +
                origin +
                "/ok.htm\n"
                "Link OK: file://" +
                folder_ / "local.htm" +
                "\n"
                "Img OK: " +
                origin + "/pic.gif\n");
}

TEST_F(PageCheckTest, ResolvesAgainstTheBaseAddressOfThePage) {
  testing::WriteTestFile(folder_ / "based.htm",
                         "<base href=\"" + server_.origin() + "/\"><a href=ok.htm>x</a><img src=pic.gif>");
  EXPECT_EQ(CheckPage(folder_ / "based.htm", PageCheckMode::kPassedReferences, prompt_, unwatched_),
            "1 links                1 Images \n"
            "Link OK: " +
                server_.origin() +
                "/ok.htm\n"
                "Img OK: " +
                server_.origin() + "/pic.gif\n");
}

TEST_F(PageCheckTest, ChecksEveryPageThatMatchesAWildcardInNameOrder) {
  testing::WriteTestFile(folder_ / "p2.htm", "<img src=a.gif>");
  testing::WriteTestFile(folder_ / "p1.htm", "<a href=x.htm>x</a>");
  testing::WriteTestFile(folder_ / "q1.htm", "<a href=y.htm>y</a>");
  EXPECT_EQ(CheckPage(folder_ / "p?.htm", PageCheckMode::kDeadReferences, prompt_, unwatched_),
            "1 links                0 Images \nDEAD LINK: file://" + folder_ / "x.htm" +
                "\n"
                "0 links                1 Images \nDEAD Img: file://" +
                folder_ / "a.gif" + "\n");
}

TEST_F(PageCheckTest, ReportsAPageThatCannotBeLoadedAndNothingForNoMatch) {
  const std::string folderPage = folder_ / "sub.htm";
  std::filesystem::create_directory(folderPage);
  EXPECT_EQ(CheckPage(folderPage, PageCheckMode::kDeadReferences, prompt_, unwatched_), "");
  EXPECT_EQ(CheckPage(folder_ / "none*.htm", PageCheckMode::kDeadReferences, prompt_, unwatched_), "");
  EXPECT_THAT(prompt_.told, ElementsAre(testing::PromptCall{"Error loading file", folderPage}));
}

}  // namespace
}  // namespace vantry::archive

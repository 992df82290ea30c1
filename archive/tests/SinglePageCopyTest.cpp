#include "archive/SinglePageCopy.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive/CopyNames.h"
#include "testing/LocalHttpServer.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
namespace fs = std::filesystem;

class SinglePageCopyTest : public ::testing::Test {
 protected:
  SinglePageCopyTest()
      : store_(cache::OpenUrlCacheStore(folder_ / "store").store),
        workspace_{MakeArchivePaths(folder_ / "work"), folder_ / "tmp"} {
    fs::create_directories(folder_ / "work");
    fs::create_directories(folder_ / "tmp");
    fs::create_directories(destination());
    PrepareArchiveFiles(workspace_.archive, prompt_);
  }

  std::string destination() const { return folder_ / "copies"; }
  std::string origin() const { return server_.origin(); }

  // Caches `content` under `url`; returns the cached file.
  std::string Cache(const std::string& url, const std::string& content,
                    const std::string& headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n") {
    store_->AddEntry(cache::NewEntry{.url = url, .content = content, .headers = headers});
    return *LookupLocalFile(*store_, url);
  }

  std::string Copied(const std::string& url) const {
    return testing::ReadTestFile(destination() + "/" + HtmlExtension(FlatName(url)));
  }

  testing::TempFolder folder_;
  testing::LocalHttpServer server_;
  std::unique_ptr<cache::UrlCacheStore> store_;
  CopyWorkspace workspace_;
  testing::ScriptedPrompt prompt_{false};
  cache::UnwatchedWork unwatched_;
};

TEST_F(SinglePageCopyTest, CopiesCheckedImagesAndRewritesEveryOccurrenceOfCheckedReferences) {
  for (const char* path : {"/img/a.gif", "/dir/sub/pic.gif", "/dir/sub/nocache.gif", "/dir/sub/other.htm"}) {
    server_.Answer(path, 200);
  }
  const std::string pageUrl = origin() + "/dir/sub/page.htm";
  const std::string pageFile =
      Cache(pageUrl,
            "<img src=\"../../img/a.gif\"><img src=\"/pic.gif\"><img src=missing.gif><img src=nocache.gif>\n"
            "<a href=\"other.htm\">other</a> <a href=other.htm>again</a> see another.htm\n"
            "<a href=\"" +
                origin() + "/dead.htm\">dead</a>\n");
  Cache(origin() + "/img/a.gif", "GIF-A");
  Cache(origin() + "/dir/sub/pic.gif", "GIF-P");

  CopySinglePage(*store_, workspace_, {pageFile, pageUrl, destination(), "my note"}, prompt_, unwatched_);

  const std::string imageA = "images/" + FlatName(origin() + "/img/a.gif");
  const std::string imageP = "images/" + FlatName(origin() + "/dir/sub/pic.gif");
  const std::string other = FlatName(origin() + "/dir/sub/other.htm");
  EXPECT_EQ(Copied(pageUrl), "<img src=\"" + imageA + "\"><img src=\"" + imageP +
                                 "\"><img src=missing.gif><img src=nocache.gif>\n"
                                 "<a href=\"" +
                                 other + "\">other</a> <a href=" + other + ">again</a> see an" + other +
                                 "\n"
                                 "<a href=\"" +
                                 origin() + "/dead.htm\">dead</a>\n");
  EXPECT_EQ(testing::ReadTestFile(destination() + "/" + imageA), "GIF-A");
  EXPECT_EQ(testing::ReadTestFile(destination() + "/" + imageP), "GIF-P");
  EXPECT_FALSE(fs::exists(destination() + "/images/" + FlatName(origin() + "/dir/sub/nocache.gif")));
  const std::string index = testing::ReadTestFile(workspace_.archive.index);
  EXPECT_NE(index.find("<a href=\"" + destination() + "/" + FlatName(pageUrl) + "\">127.0.0.1 : my note</a>"),
            std::string::npos);
  EXPECT_THAT(prompt_.told, IsEmpty());
}

TEST_F(SinglePageCopyTest, ChecksImagesBeforeLinksAndNeverAsksForAnAddressAboveTheHost) {
  const std::string pageUrl = origin() + "/root.htm";
  const std::string pageFile = Cache(pageUrl, "<a href=x.htm>x</a><img src=\"../up.gif\"><img src=y.gif>");
  CopySinglePage(*store_, workspace_, {pageFile, pageUrl, destination(), ""}, prompt_, unwatched_);
  EXPECT_THAT(server_.requests(), ElementsAre("/y.gif", "/x.htm"));
  EXPECT_EQ(Copied(pageUrl), "<a href=x.htm>x</a><img src=\"../up.gif\"><img src=y.gif>");
}

TEST_F(SinglePageCopyTest, StoresFolderAddressesAsIndexHtmlAndAspPagesAsHtml) {
  const std::string folderUrl = origin() + "/news/";
  CopySinglePage(*store_, workspace_, {Cache(folderUrl, "folder page"), folderUrl, destination(), "f"}, prompt_,
                 unwatched_);
  EXPECT_EQ(testing::ReadTestFile(destination() + "/Index.html"), "folder page");
  EXPECT_NE(
      testing::ReadTestFile(workspace_.archive.index).find("<a href=\"" + destination() + "/Index.html\"> : f</a>"),
      std::string::npos);

  const std::string aspUrl = origin() + "/shop/list.asp";
  CopySinglePage(*store_, workspace_, {Cache(aspUrl, "asp page"), aspUrl, destination(), ""}, prompt_, unwatched_);
  std::string storedName = FlatName(aspUrl);
  ASSERT_TRUE(storedName.ends_with("_shop_list.asp"));
  storedName.replace(storedName.size() - 3, 3, "html");
  EXPECT_EQ(testing::ReadTestFile(destination() + "/" + storedName), "asp page");
}

TEST_F(SinglePageCopyTest, AnUnreadablePageIsReportedAndNeverReplacedByAnEarlierWorkingCopy) {
  const std::string firstUrl = origin() + "/first.htm";
  CopySinglePage(*store_, workspace_, {Cache(firstUrl, "first"), firstUrl, destination(), ""}, prompt_, unwatched_);
  const std::string lostUrl = origin() + "/lost.htm";
  CopySinglePage(*store_, workspace_, {folder_ / "no-such-file", lostUrl, destination(), "lost"}, prompt_, unwatched_);
  EXPECT_THAT(prompt_.told, ElementsAre(testing::PromptCall{"Problem opening the file", "ReadHtml"}));
  EXPECT_FALSE(fs::exists(destination() + "/" + FlatName(lostUrl)));
  EXPECT_NE(testing::ReadTestFile(workspace_.archive.index).find("lost</a>"), std::string::npos);
}

TEST(LookupLocalFile, GivesTheFileNoneForAnEntryWithoutHeadersOrNothing) {
  testing::TempFolder folder;
  std::unique_ptr<cache::UrlCacheStore> store = cache::OpenUrlCacheStore(folder / "store").store;
  store->AddEntry(cache::NewEntry{.url = "http://s.org/a", .content = "a", .headers = "HTTP/1.1 200 OK\r\n\r\n"});
  store->AddEntry(cache::NewEntry{.url = "http://s.org/b", .content = "b", .headers = ""});
  const std::optional<std::string> a = LookupLocalFile(*store, "http://s.org/a");
  ASSERT_TRUE(a);
  EXPECT_EQ(testing::ReadTestFile(*a), "a");
  EXPECT_EQ(LookupLocalFile(*store, "http://s.org/b"), "None");
  EXPECT_EQ(LookupLocalFile(*store, "http://s.org/c"), std::nullopt);
}

}  // namespace
}  // namespace vantry::archive

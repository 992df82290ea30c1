#include "archive/SinglePageCopy.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive/LocalNames.h"
#include "testing/LocalHttpServer.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

constexpr const char* kPage = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
constexpr const char* kImage = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n";

class SinglePageCopyTest : public ::testing::Test {
 protected:
  SinglePageCopyTest()
      : store_(cache::OpenUrlCacheStore(folder_ / "store").store), paths_(MakeArchivePaths(folder_ / "work")) {
    fs::create_directories(folder_ / "work");
    fs::create_directories(destination());
    PrepareArchiveFiles(paths_, prompt_);
  }

  std::string destination() const { return folder_ / "copies"; }
  // The site's server answers every request, so that a copy that asked the network would notice.
  std::string origin() const { return server_.origin(); }

  // Caches `content` under `url`; returns the cached file.
  std::string Cache(const std::string& url, const std::string& content, const char* headers = kPage) {
    store_->AddEntry(cache::NewEntry{.url = url, .content = content, .headers = headers});
    return *LookupLocalFile(*store_, url);
  }
  CopyReport CopyPage(const std::string& url, const std::string& comment = "") {
    return CopySinglePage(*store_, paths_, {*LookupLocalFile(*store_, url), url, destination(), comment}, prompt_);
  }
  std::string Copied(const std::string& name) const { return testing::ReadTestFile(destination() + "/" + name); }
  // The flat name of an address of the site.
  std::string Flat(const std::string& path) const { return FlatName(origin() + path); }

  testing::TempFolder folder_;
  testing::LocalHttpServer server_;
  std::unique_ptr<cache::UrlCacheStore> store_;
  ArchivePaths paths_;
  testing::ScriptedPrompt prompt_{false};
};

TEST_F(SinglePageCopyTest, CopiesWhatThePageShowsAndPointsItsLinksAtFlatNames) {
  Cache(origin() + "/dir/sub/page.htm",
        "<link rel=stylesheet href=\"/css/site.css\"><img src=\"../../img/a.gif\"><img src=\"/pic.gif\">\n"
        "<iframe src=\"frame.htm\"></iframe><a href=\"other.htm\">other</a> <a href=\"gone.htm\">gone</a>\n"
        "<a href=\"http://elsewhere.test/x.htm\">away</a> see other.htm");
  Cache(origin() + "/css/site.css", "body{background:url(../img/a.gif)}",
        "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\n\r\n");
  Cache(origin() + "/img/a.gif", "GIF-A", kImage);
  Cache(origin() + "/dir/sub/frame.htm", "<img src=\"/img/a.gif\"> <img src=\"nocache.gif\">");
  Cache(origin() + "/dir/sub/other.htm", "other page");

  const CopyReport report = CopyPage(origin() + "/dir/sub/page.htm", "my note");

  EXPECT_EQ(Copied(Flat("/dir/sub/page.htm")),
            "<link rel=stylesheet href=\"images/" + Flat("/css/site.css") + "\"><img src=\"images/" +
                Flat("/img/a.gif") + "\"><img src=\"" + origin() + "/pic.gif\">\n<iframe src=\"" +
                Flat("/dir/sub/frame.htm") + "\"></iframe><a href=\"" + Flat("/dir/sub/other.htm") +
                "\">other</a> <a href=\"" + origin() +
                "/dir/sub/gone.htm\">gone</a>\n<a href=\"http://elsewhere.test/x.htm\">away</a> see other.htm");
  EXPECT_EQ(Copied("images/" + Flat("/css/site.css")), "body{background:url(" + Flat("/img/a.gif") + ")}");
  EXPECT_EQ(Copied("images/" + Flat("/img/a.gif")), "GIF-A");
  EXPECT_EQ(Copied(Flat("/dir/sub/frame.htm")),
            "<img src=\"images/" + Flat("/img/a.gif") + "\"> <img src=\"" + origin() + "/dir/sub/nocache.gif\">");
  EXPECT_FALSE(fs::exists(destination() + "/" + Flat("/dir/sub/other.htm")));
  EXPECT_EQ(report.copied.size(), 4u);
  EXPECT_THAT(report.notCopied, IsEmpty());
  EXPECT_THAT(server_.requests(), IsEmpty());
  const std::string index = testing::ReadTestFile(paths_.index);
  EXPECT_NE(index.find("<a href=\"" + destination() + "/" + Flat("/dir/sub/page.htm") + "\">127.0.0.1 : my note</a>"),
            std::string::npos);
  EXPECT_THAT(prompt_.told, IsEmpty());
}

TEST_F(SinglePageCopyTest, GivesFolderAddressesQueriesAndAspPagesNamesOfTheirOwn) {
  Cache(origin() + "/", "root");
  Cache(origin() + "/news/", "folder page");
  Cache(origin() + "/shop/list.asp?page=2", "second list page");
  for (const char* path : {"/", "/news/", "/shop/list.asp?page=2"}) CopyPage(origin() + path);
  const std::string server = Flat("/").substr(0, Flat("/").size() - 1);
  EXPECT_EQ(Copied(server + "_.html"), "root");
  EXPECT_EQ(Copied(server + "_news_.html"), "folder page");
  EXPECT_EQ(Copied(server + "_shop_list@page=2.html"), "second list page");
  const std::string index = testing::ReadTestFile(paths_.index);
  EXPECT_NE(index.find(server + "_.html\">127.0.0.1 : </a>"), std::string::npos);
  EXPECT_NE(index.find(server + "_news_.html\">127.0.0.1  </a>"), std::string::npos);
}

TEST_F(SinglePageCopyTest, ReplacesALinkWhereItsImagesFolderBelongs) {
  fs::create_directories(folder_ / "outside");
  fs::create_symlink(folder_ / "outside", destination() + "/images");
  Cache(origin() + "/p.html", "<img src=\"a.gif\">");
  Cache(origin() + "/a.gif", "GIF", kImage);
  CopyPage(origin() + "/p.html");
  EXPECT_FALSE(fs::is_symlink(destination() + "/images"));
  EXPECT_EQ(Copied("images/" + Flat("/a.gif")), "GIF");
  EXPECT_TRUE(fs::is_empty(folder_ / "outside"));
}

TEST_F(SinglePageCopyTest, AnUnreadablePageIsReportedAndItsIndexEntryStillWritten) {
  const std::string lostUrl = origin() + "/lost.htm";
  Cache(lostUrl, "lost");
  const CopyReport report =
      CopySinglePage(*store_, paths_, {folder_ / "no-such-file", lostUrl, destination(), "lost"}, prompt_);
  EXPECT_THAT(prompt_.told, ElementsAre(testing::PromptCall{"Problem opening the file", "ReadHtml"}));
  EXPECT_THAT(report.notCopied, ElementsAre(lostUrl));
  EXPECT_FALSE(fs::exists(destination() + "/" + Flat("/lost.htm")));
  EXPECT_NE(testing::ReadTestFile(paths_.index).find("lost</a>"), std::string::npos);
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

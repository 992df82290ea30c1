#include "archive/SiteTreeCopy.h"

#include <algorithm>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = testing::PromptCall;
namespace fs = std::filesystem;

constexpr const char* kSite = "http://www.site.test";
constexpr const char* kHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";

class SiteTreeCopyTest : public ::testing::Test {
 protected:
  SiteTreeCopyTest()
      : store_(cache::OpenUrlCacheStore(folder_ / "store").store),
        paths_(MakeArchivePaths(folder_ / "work")),
        destination_(folder_ / "copies/site") {
    fs::create_directories(folder_ / "work");
    fs::create_directories(destination_);
    PrepareArchiveFiles(paths_, prompt_);
  }

  void Cache(const std::string& path, const std::string& content, const char* headers = kHeaders) {
    CacheUrl(kSite + path, content, headers);
  }
  void CacheUrl(const std::string& url, const std::string& content, const char* headers = kHeaders) {
    store_->AddEntry(cache::NewEntry{.url = url, .content = content, .headers = headers});
  }
  CopyReport Copy(CopyFlags flags = kCommentConfirmed) {
    return CopySiteTree(*store_, paths_, {std::string(kSite) + "/docs/guide.html", destination_, flags, "Site", true},
                        prompt_);
  }
  // A file of the copied server's folder.
  std::string Local(const std::string& relative) const { return destination_ + "/www.site.test/" + relative; }
  std::string Read(const std::string& relative) const { return testing::ReadTestFile(Local(relative)); }

  testing::TempFolder folder_;
  std::unique_ptr<cache::UrlCacheStore> store_;
  ArchivePaths paths_;
  std::string destination_;
  testing::ScriptedPrompt prompt_{false};
};

// The regular files below `root`, relative to it, in name order.
std::vector<std::string> FilesBelow(const fs::path& root) {
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(root).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST_F(SiteTreeCopyTest, RebuildsEachServerInAFolderOfItsOwnWithWorkingLinks) {
  Cache(
      "/",
      "<a href=\"http://www.site.test/docs/guide.html\">guide</a> <a href=\"docs/intro.html\">intro</a>"
      "<img src=\"img/logo.gif\"> <a href=\"shop/list.asp\">shop</a> <a href=\"http://www.site.test:8080/\">8080</a>");
  Cache("/docs/guide.html",
        "<a href=\"../\">home</a> <a href=\"/shop/list.asp\">shop</a> <img src=\"//www.site.test/img/logo.gif\">\n"
        "<a href=\"http://www.site.test/docs/\">all docs</a> <a href=\"http://elsewhere.test/x.html\">out</a>");
  Cache("/docs/intro.html", "<a href=\"guide.html\">guide</a> <a href=\"../shop/list.asp?page=2\">page 2</a>");
  Cache("/docs/", "<a href=\"intro.html\">intro</a>");
  Cache("/shop/list.asp", "<a href=\"../docs/guide.html\">guide</a> <a href=\"list.asp?page=2\">more</a>");
  Cache("/shop/list.asp?page=2", "<p>second</p>");
  Cache("/img/logo.gif", "GIF89a", "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n");
  CacheUrl("http://www.site.test:8080/", "<a href=\"http://www.site.test/\">port 80</a>");
  CacheUrl("http://other.test/?ref=www.site.test", "x");
  store_->RecordVisit(std::string(kSite) + "/docs/guide.html", cache::FileTimeNow(), 1);

  const CopyReport report = Copy();
  EXPECT_FALSE(report.brokenOff);
  EXPECT_EQ(report.copied.size(), 8u);
  EXPECT_THAT(FilesBelow(destination_),
              ElementsAre("www.site.test/docs.html", "www.site.test/docs/guide.html", "www.site.test/docs/intro.html",
                          "www.site.test/img/logo.gif", "www.site.test/index.html", "www.site.test/shop/list.html",
                          "www.site.test/shop/list@page=2.html", "www.site.test_8080/index.html"));
  EXPECT_EQ(Read("index.html"),
            "<a href=\"docs/guide.html\">guide</a> <a href=\"docs/intro.html\">intro</a><img src=\"img/logo.gif\"> "
            "<a href=\"shop/list.html\">shop</a> <a href=\"../www.site.test_8080/index.html\">8080</a>");
  EXPECT_EQ(Read("docs/guide.html"),
            "<a href=\"../index.html\">home</a> <a href=\"../shop/list.html\">shop</a> <img src=\"../img/logo.gif\">\n"
            "<a href=\"../docs.html\">all docs</a> <a href=\"http://elsewhere.test/x.html\">out</a>");
  EXPECT_EQ(Read("docs.html"), "<a href=\"docs/intro.html\">intro</a>");
  EXPECT_EQ(Read("shop/list.html"), "<a href=\"../docs/guide.html\">guide</a> <a href=\"list@page=2.html\">more</a>");
  EXPECT_EQ(testing::ReadTestFile(destination_ + "/www.site.test_8080/index.html"),
            "<a href=\"../www.site.test/index.html\">port 80</a>");
  EXPECT_THAT(prompt_.told,
              ElementsAre(Call{"http://other.test/?ref=www.site.test", "External references not copied!"}));
}

TEST_F(SiteTreeCopyTest, RecordsTheCopyInTheArchiveFilesAndOneIndexEntry) {
  Cache("/", "root");
  Cache("/a/b/", "folder page");
  Cache("/a/page.htm", "page");
  CacheUrl("http://www.site.test:8080/", "other port");
  ASSERT_FALSE(Copy(kCommentConfirmed | kMarkAutomaticBackup).brokenOff);
  EXPECT_EQ(testing::ReadTestFile(paths_.history), "www.site.test\t" + destination_ + "\ttx\t9\t55\tSite\n");
  EXPECT_EQ(testing::ReadTestFile(paths_.copies),
            std::string(kSite) + "/ " + Local("index.html") + " cprx\n" + kSite + "/a/b/ " + Local("a/b.html") +
                " cprx\n" + kSite + "/a/page.htm " + Local("a/page.htm") + " cprx\n" + "http://www.site.test:8080/ " +
                destination_ + "/www.site.test_8080/index.html cprx\n");
  EXPECT_EQ(testing::ReadTestFile(paths_.changeLog), "www.site.test\t/a/b/\twww.site.test/a/b.html\n");
  const std::string index = testing::ReadTestFile(paths_.index);
  EXPECT_NE(index.find("<a href=\"" + Local("index.html") + "\">www.site.test : Site</a>"), std::string::npos);
  EXPECT_EQ(index.find("<UL>"), index.rfind("<UL>"));
}

TEST_F(SiteTreeCopyTest, WithoutTheConfirmedCommentOnlyTheChangeLogAndIndexAreWritten) {
  Cache("/a/b/", "folder page");
  Cache("/a/top.html", "top");
  ASSERT_FALSE(Copy(0).brokenOff);
  EXPECT_EQ(testing::ReadTestFile(paths_.history), "\x1A");
  EXPECT_EQ(testing::ReadTestFile(paths_.copies), "<missing>");
  EXPECT_EQ(testing::ReadTestFile(paths_.changeLog), "www.site.test\t/a/b/\twww.site.test/a/b.html\n");
  // The folder page comes first at the same depth, and "top" is no preferred name.
  EXPECT_NE(testing::ReadTestFile(paths_.index).find(Local("a/b.html")), std::string::npos);
}

TEST_F(SiteTreeCopyTest, PointsAtFilesThatEarlierCopiesLeftInTheDestination) {
  testing::WriteTestFile(paths_.changeLog, "WWW.SITE.TEST\t/a/b/\twww.site.test/a/b.html\nother.test\t/x/\tx.html\n");
  testing::WriteTestFile(Local("a/b.html"), "copied before");
  testing::WriteTestFile(Local("c/d.html"), "copied before");
  Cache("/", "<a href=\"/a/b/\">b</a> <a href=\"/c/d.html\">d</a> <a href=\"/x/\">x</a> <img src=\"/gone.gif\">");
  ASSERT_FALSE(Copy().brokenOff);
  EXPECT_EQ(Read("index.html"),
            "<a href=\"a/b.html\">b</a> <a href=\"c/d.html\">d</a> <a href=\"http://www.site.test/x/\">x</a> "
            "<img src=\"http://www.site.test/gone.gif\">");
}

TEST_F(SiteTreeCopyTest, BringsWhatThePagesShowFromOtherServersAndWhatTheyLinkToOneStep) {
  Cache("/",
        "<img src=\"http://cdn.test/logo.png\"> <iframe src=\"http://ads.test/frame.html\"></iframe>"
        "<link rel=stylesheet href=\"http://cdn.test/site.css\"> <a href=\"http://cdn.test/page.html\">page</a>"
        " <a href=\"http://cdn.test/gone.html\">gone</a>");
  CacheUrl("http://cdn.test/logo.png", "PNG", "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\n\r\n");
  CacheUrl("http://cdn.test/site.css", "body{background:url(/bg.gif)}",
           "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\n\r\n");
  CacheUrl("http://cdn.test/bg.gif", "GIF", "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n");
  CacheUrl("http://cdn.test/page.html", "<img src=\"logo.png\"> <a href=\"more.html\">more</a>");
  CacheUrl("http://cdn.test/more.html", "two steps away");
  CacheUrl("http://ads.test/frame.html", "<img src=\"spot.gif\"> <a href=\"/more.html\">more</a>");
  CacheUrl("http://ads.test/more.html", "linked from a frame of another server");
  ASSERT_FALSE(Copy(kCommentConfirmed | kRemoveCopiedEntries).brokenOff);
  EXPECT_EQ(Read("index.html"),
            "<img src=\"../cdn.test/logo.png\"> <iframe src=\"../ads.test/frame.html\"></iframe>"
            "<link rel=stylesheet href=\"../cdn.test/site.css\"> <a href=\"../cdn.test/page.html\">page</a>"
            " <a href=\"http://cdn.test/gone.html\">gone</a>");
  EXPECT_EQ(testing::ReadTestFile(destination_ + "/cdn.test/site.css"), "body{background:url(bg.gif)}");
  EXPECT_EQ(testing::ReadTestFile(destination_ + "/cdn.test/page.html"),
            "<img src=\"logo.png\"> <a href=\"http://cdn.test/more.html\">more</a>");
  EXPECT_EQ(testing::ReadTestFile(destination_ + "/ads.test/frame.html"),
            "<img src=\"http://ads.test/spot.gif\"> <a href=\"http://ads.test/more.html\">more</a>");
  EXPECT_THAT(FilesBelow(destination_),
              ElementsAre("ads.test/frame.html", "cdn.test/bg.gif", "cdn.test/logo.png", "cdn.test/page.html",
                          "cdn.test/site.css", "www.site.test/index.html"));
  // Only the host's own entries leave the cache.
  EXPECT_FALSE(cache::LookupEntry(*store_, std::string(kSite) + "/"));
  EXPECT_TRUE(cache::LookupEntry(*store_, "http://cdn.test/logo.png"));
}

TEST_F(SiteTreeCopyTest, NeverWritesOutsideTheDestinationNorThroughLinksInIt) {
  for (const char* path :
       {"/../../escape1.html", "/a/%2e%2e/%2E%2E/%2e%2e/escape2.html", "/a/..%2f..%2fescape3.html",
        "//abs/escape4.html", "/a\\..\\..\\escape5.html", "/./../b/", "/linked/page.html", "/filelink.html"}) {
    Cache(path, "x");
  }
  fs::create_directories(folder_ / "outside");
  testing::WriteTestFile(folder_ / "outside/filelink.html", "keep");
  fs::create_directories(Local(""));
  fs::create_symlink(folder_ / "outside", Local("linked"));
  fs::create_symlink(folder_ / "outside/filelink.html", Local("filelink.html"));
  ASSERT_FALSE(Copy().brokenOff);
  EXPECT_THAT(FilesBelow(folder_ / "copies"),
              ElementsAre("site/www.site.test/_/__/b.html", "site/www.site.test/__/__/escape1.html",
                          "site/www.site.test/a/.._.._escape3.html", "site/www.site.test/a/__/__/__/escape2.html",
                          "site/www.site.test/a_.._.._escape5.html", "site/www.site.test/abs/escape4.html",
                          "site/www.site.test/filelink.html", "site/www.site.test/linked/page.html"));
  EXPECT_THAT(FilesBelow(folder_ / "outside"), ElementsAre("filelink.html"));
  EXPECT_EQ(testing::ReadTestFile(folder_ / "outside/filelink.html"), "keep");
  EXPECT_THAT(prompt_.asked, IsEmpty());
}

TEST_F(SiteTreeCopyTest, AskedAfterAFailedCopyNoGoesOnAndKeepsTheEntry) {
  Cache("/a.html", "a");
  Cache("/headerless.html", "h", "");
  Cache("/b.html", "b");
  const CopyReport report = Copy(kCommentConfirmed | kRemoveCopiedEntries);
  EXPECT_FALSE(report.brokenOff);
  EXPECT_THAT(report.notCopied, ElementsAre(std::string(kSite) + "/headerless.html"));
  EXPECT_THAT(prompt_.asked, ElementsAre(Call{"Error writing file! Break write loop?", "Copy file function"}));
  EXPECT_EQ(Read("a.html"), "a");
  EXPECT_EQ(Read("b.html"), "b");
  EXPECT_FALSE(cache::LookupEntry(*store_, std::string(kSite) + "/a.html"));
  EXPECT_TRUE(cache::LookupEntry(*store_, std::string(kSite) + "/headerless.html"));
  EXPECT_NE(testing::ReadTestFile(paths_.copies).find("/headerless.html " + Local("headerless.html")),
            std::string::npos);
}

TEST_F(SiteTreeCopyTest, AskedAfterAFailedCopyYesBreaksOffWithoutAnIndexEntry) {
  Cache("/a.html", "<a href=\"http://www.site.test/a.html\">self</a>");
  Cache("/headerless.html", "h", "");
  Cache("/b.html", "b");
  testing::ScriptedPrompt stop(true);
  EXPECT_TRUE(
      CopySiteTree(*store_, paths_, {std::string(kSite) + "/a.html", destination_, 0, "", false}, stop).brokenOff);
  EXPECT_EQ(Read("a.html"), "<a href=\"a.html\">self</a>");
  EXPECT_FALSE(fs::exists(Local("b.html")));
  EXPECT_FALSE(fs::exists(paths_.index));
}

TEST_F(SiteTreeCopyTest, BreaksOffWhenAFolderCannotBeMade) {
  testing::WriteTestFile(Local("docs"), "a file where a folder should be");
  Cache("/docs/sub/x.html", "x");
  EXPECT_TRUE(Copy().brokenOff);
  EXPECT_THAT(prompt_.told,
              ElementsAre(Call{Local("docs"), "unable to create dir"}, Call{"Unable to create directory?", "Enum"}));
  EXPECT_TRUE(
      CopySiteTree(*store_, paths_, {std::string(kSite) + "/", folder_ / "missing", 0, "", false}, prompt_).brokenOff);
}

TEST_F(SiteTreeCopyTest, CopiesAServerOfAnySize) {
  for (int i = 0; i < 1300; ++i) {
    Cache("/p/" + std::to_string(i) + ".gif", std::to_string(i), "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n");
  }
  ASSERT_FALSE(Copy().brokenOff);
  EXPECT_EQ(FilesBelow(destination_).size(), 1300u);
  EXPECT_EQ(Read("p/1299.gif"), "1299");
}

TEST_F(SiteTreeCopyTest, IndexesTheSelectedServersShallowestPagePreferringIndexOrDefaultOrNothing) {
  Cache("/a/b/index.html", "deep");
  Cache("/a/page.html", "page");
  Cache("/a/default.htm", "default");
  Cache("/a/zzz.html", "later");
  CacheUrl("http://www.site.test:8080/", "the root of another port");
  ASSERT_FALSE(Copy().brokenOff);
  const std::string index = testing::ReadTestFile(paths_.index);
  EXPECT_NE(index.find("<a href=\"" + Local("a/default.htm") + "\">www.site.test : Site</a>"), std::string::npos);
  EXPECT_EQ(index.find("</UL>"), index.rfind("</UL>"));

  testing::TempFolder other;
  const ArchivePaths otherPaths = MakeArchivePaths(other.path());
  std::unique_ptr<cache::UrlCacheStore> images = cache::OpenUrlCacheStore(other / "store").store;
  images->AddEntry(cache::NewEntry{
      .url = "http://img.test/x.gif", .content = "x", .headers = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n"});
  EXPECT_FALSE(
      CopySiteTree(*images, otherPaths, {"http://img.test/x.gif", other.path(), 0, "", false}, prompt_).brokenOff);
  EXPECT_FALSE(fs::exists(otherPaths.index));
}

TEST_F(SiteTreeCopyTest, KeepsThePagesStatedCharset) {
  Cache("/story.asp", "<head><meta charset=\"utf-8\"><title>t</title>",
        "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=windows-1252\r\n\r\n");
  ASSERT_FALSE(Copy().brokenOff);
  EXPECT_EQ(Read("story.html"), "<head><meta charset=\"windows-1252\"><title>t</title>");
}

TEST_F(SiteTreeCopyTest, AHostWrittenWithCapitalsIsTheSameHost) {
  Cache("/", "root");
  const CopyReport report =
      CopySiteTree(*store_, paths_, {"http://WWW.Site.TEST/", destination_, kCommentConfirmed, "", true}, prompt_);
  EXPECT_EQ(report.copied.size(), 1u);
  EXPECT_EQ(Read("index.html"), "root");
  EXPECT_NE(testing::ReadTestFile(paths_.index).find(Local("index.html")), std::string::npos);
}

TEST_F(SiteTreeCopyTest, AnAddressWithoutServerCopiesNothing) {
  Cache("/a.html", "a");
  EXPECT_TRUE(
      CopySiteTree(*store_, paths_, {"Visited: @", destination_, kCommentConfirmed, "", true}, prompt_).brokenOff);
  EXPECT_THAT(FilesBelow(destination_), IsEmpty());
  EXPECT_THAT(prompt_.told, IsEmpty());
}

}  // namespace
}  // namespace vantry::archive

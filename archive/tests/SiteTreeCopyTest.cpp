#include "archive/SiteTreeCopy.h"

#include <algorithm>
#include <filesystem>
#include <map>

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
    store_->AddEntry(cache::NewEntry{.url = kSite + path, .content = content, .headers = headers});
  }
  TreeCopyResult Copy(CopyFlags flags = kCommentConfirmed) {
    return CopySiteTree(*store_, paths_, {std::string(kSite) + "/docs/guide.html", destination_, flags, "Site", true},
                        prompt_, unwatched_)
        .result;
  }
  std::string Local(const std::string& relative) const { return destination_ + "/" + relative; }
  std::string Read(const std::string& relative) const { return testing::ReadTestFile(Local(relative)); }

  testing::TempFolder folder_;
  std::unique_ptr<cache::UrlCacheStore> store_;
  ArchivePaths paths_;
  std::string destination_;
  testing::ScriptedPrompt prompt_{false};
  cache::UnwatchedWork unwatched_;
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

// Every quoted href and src value of a page, as written.
std::vector<std::string> ReferencesOf(const std::string& html) {
  std::vector<std::string> found;
  for (const char* attribute : {"href=", "src="}) {
    for (std::size_t at = html.find(attribute); at != std::string::npos; at = html.find(attribute, at + 1)) {
      const std::size_t open = at + std::string_view(attribute).size();
      if (open >= html.size() || (html[open] != '"' && html[open] != '\'')) continue;
      const std::size_t close = html.find(html[open], open + 1);
      if (close != std::string::npos) found.push_back(html.substr(open + 1, close - open - 1));
    }
  }
  return found;
}

// The local file a reference of `page` names offline, the way a browser reads it.
fs::path OfflineTarget(const fs::path& page, std::string reference) {
  reference.erase(0, reference.find_first_not_of(' '));
  const fs::path target = reference.starts_with('/') ? fs::path(reference) : page.parent_path() / reference;
  return target.lexically_normal();
}

TEST_F(SiteTreeCopyTest, RebuildsTheTreeSoThatEveryLinkBetweenCopiedPagesWorksOffline) {
  Cache("/",
        "<a href=\"http://www.site.test/docs/guide.html\">guide</a> <a href=\"docs/intro.html\">intro</a>"
        "<img src=\"img/logo.gif\"> <a href=\"shop/list.asp\">shop</a>");
  Cache("/docs/guide.html",
        "<a href=\"../index.html\">home</a> <a href=\"http://www.site.test/shop/list.asp\">shop</a>\n"
        "<a href='intro.html'>intro</a> <img src=\"http://www.site.test/img/logo.gif\">\n"
        "<a href=\"http://www.site.test/docs/\">all docs</a> <a href=\"http://elsewhere.test/x.html\">out</a>");
  Cache("/docs/intro.html", "<a href=\"guide.html\">guide</a> <a href=\"../shop/list.asp\">shop</a>");
  Cache("/docs/", "<a href=\"http://www.site.test/docs/intro.html\">intro</a>");
  Cache("/shop/list.asp", "<a href=\"../docs/guide.html\">guide</a> <a href=\"list.asp?page=2\">more</a>");
  Cache("/shop/list.asp?page=2", "<p>second</p>");
  Cache("/img/logo.gif", "GIF89a", "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n");
  store_->AddEntry(cache::NewEntry{.url = "http://other.test/?ref=www.site.test", .content = "x", .headers = kHeaders});
  store_->RecordVisit(std::string(kSite) + "/docs/guide.html", cache::FileTimeNow(), 1);

  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);

  EXPECT_THAT(FilesBelow(destination_), ElementsAre("docs.html", "docs/guide.html", "docs/intro.html", "img/logo.gif",
                                                    "index.html", "shop/list.asp_page=2", "shop/list.html"));
  EXPECT_EQ(Read("img/logo.gif"), "GIF89a");
  int checked = 0;
  for (const char* page : {"index.html", "docs/guide.html", "docs/intro.html", "docs.html", "shop/list.html"}) {
    for (const std::string& reference : ReferencesOf(Read(page))) {
      if (reference.starts_with("http://elsewhere.test/")) continue;
      EXPECT_FALSE(reference.starts_with("http:")) << page << ": " << reference;
      const fs::path target = OfflineTarget(Local(page), reference);
      EXPECT_TRUE(fs::is_regular_file(target)) << page << ": " << reference << " -> " << target;
      EXPECT_TRUE(target.string().starts_with(destination_ + "/")) << target;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 14);
  EXPECT_THAT(prompt_.told,
              ElementsAre(Call{"http://other.test/?ref=www.site.test", "External references not copied!"}));
}

TEST_F(SiteTreeCopyTest, RecordsTheCopyInTheArchiveFilesAndTheIndexPage) {
  Cache("/", "root");
  Cache("/a/b/", "folder page");
  Cache("/a/page.htm", "page");
  ASSERT_EQ(Copy(kCommentConfirmed | kMarkAutomaticBackup), TreeCopyResult::kCompleted);
  EXPECT_EQ(testing::ReadTestFile(paths_.history), "www.site.test\t" + destination_ + "\ttx\t9\t55\tSite\n");
  EXPECT_EQ(testing::ReadTestFile(paths_.copies), std::string(kSite) + "/ " + Local("index.html") + " cprx\n" + kSite +
                                                      "/a/b/ " + Local("a/b.html") + " cprx\n" + kSite +
                                                      "/a/page.htm " + Local("a/page.htm") + " cprx\n");
  EXPECT_EQ(testing::ReadTestFile(paths_.changeLog), "www.site.test\t/a/b/\ta/b.html\n");
  EXPECT_NE(
      testing::ReadTestFile(paths_.index).find("<a href=\"" + Local("index.html") + "\">www.site.test : Site</a>"),
      std::string::npos);
}

TEST_F(SiteTreeCopyTest, WithoutTheConfirmedCommentOnlyTheChangeLogAndIndexAreWritten) {
  Cache("/a/b/", "folder page");
  Cache("/a/top.html", "top");
  ASSERT_EQ(Copy(0), TreeCopyResult::kCompleted);
  EXPECT_EQ(testing::ReadTestFile(paths_.history), "\x1A");
  EXPECT_EQ(testing::ReadTestFile(paths_.copies), "<missing>");
  EXPECT_EQ(testing::ReadTestFile(paths_.changeLog), "www.site.test\t/a/b/\ta/b.html\n");
  // The folder page comes first at the same depth, and "top" is no preferred name.
  EXPECT_NE(testing::ReadTestFile(paths_.index).find(Local("a/b.html")), std::string::npos);
}

TEST_F(SiteTreeCopyTest, UsesFolderPagesRecordedByEarlierCopiesAndMakesAnchorPathsRelative) {
  testing::WriteTestFile(paths_.changeLog, "WWW.SITE.TEST\t/a/b/\ta/b.html\nother.test\t/x/\tx.html\n");
  Cache("/", "<a href=\"/a/b/\">b</a> <a href=\"/x/\">x</a> <a href=\"/c/d.html\">d</a> <img src=\"/i.gif\">");
  Cache("/c/", "folder page");
  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);
  EXPECT_EQ(Read("index.html"),
            "<a href=\"a/b.html\">b</a> <a href=\" x/\">x</a> <a href=\" c/d.html\">d</a> <img src=\"/i.gif\">");
}

TEST_F(SiteTreeCopyTest, RenamedNamesAreRewrittenWhereverTheyEndAnAttributeValue) {
  Cache("/shop/list.asp", "list");
  Cache("/shop/a:b.htm", "odd name");
  Cache("/shop/index.htm",
        "<a href=\"list.asp\">l</a> <a href=\"mylist.asp\">m</a> <a href=\"list.asp#top\">t</a> "
        "<a href=\"a:b.htm\">o</a>");
  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);
  EXPECT_EQ(Read("shop/list.html"), "list");
  EXPECT_EQ(Read("shop/a_b.htm"), "odd name");
  EXPECT_EQ(Read("shop/index.htm"),
            "<a href=\"list.html\">l</a> <a href=\"mylist.html\">m</a> <a href=\"list.asp#top\">t</a> "
            "<a href=\"a_b.htm\">o</a>");
}

TEST_F(SiteTreeCopyTest, TheLaterOfTwoAddressesWithOneLocalPathWins) {
  Cache("/same.html", "plain http");
  store_->AddEntry(cache::NewEntry{.url = "https://www.site.test/same.html", .content = "https", .headers = kHeaders});
  Cache("/pic.gif", "first");
  store_->AddEntry(cache::NewEntry{.url = "https://www.site.test/pic.gif", .content = "second", .headers = kHeaders});
  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);
  EXPECT_EQ(Read("same.html"), "https");
  EXPECT_EQ(Read("pic.gif"), "second");
}

TEST_F(SiteTreeCopyTest, NeverWritesOutsideTheDestination) {
  for (const char* path : {"/../../escape1.html", "/a/%2e%2e/%2E%2E/%2e%2e/escape2.html", "/a/..%2f..%2fescape3.html",
                           "/x/..", "//abs/escape4.html", "/a\\..\\..\\escape5.html", "/./../b/"}) {
    Cache(path, "x");
  }
  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);
  EXPECT_THAT(
      FilesBelow(folder_ / "copies"),
      ElementsAre("site/_/__/b.html", "site/__/__/escape1.html", "site/a/..%2f..%2fescape3.html",
                  "site/a/__/__/__/escape2.html", "site/a_.._.._escape5.html", "site/abs/escape4.html", "site/x/__"));
  EXPECT_THAT(prompt_.asked, IsEmpty());
}

TEST_F(SiteTreeCopyTest, AskedAfterAFailedCopyNoGoesOnAndKeepsTheEntry) {
  Cache("/a.html", "a");
  Cache("/headerless.html", "h", "");
  Cache("/b.html", "b");
  ASSERT_EQ(Copy(kCommentConfirmed | kRemoveCopiedEntries), TreeCopyResult::kCompleted);
  EXPECT_THAT(prompt_.asked, ElementsAre(Call{"Error writing file! Break write loop?", "Copy file function"}));
  EXPECT_EQ(Read("a.html"), "a");
  EXPECT_EQ(Read("b.html"), "b");
  EXPECT_FALSE(cache::LookupEntry(*store_, std::string(kSite) + "/a.html"));
  EXPECT_TRUE(cache::LookupEntry(*store_, std::string(kSite) + "/headerless.html"));
  EXPECT_NE(testing::ReadTestFile(paths_.copies).find("/headerless.html " + Local("headerless.html")),
            std::string::npos);
}

TEST_F(SiteTreeCopyTest, AskedAfterAFailedCopyYesBreaksOffBeforeAnyRewriting) {
  Cache("/a.html", "<a href=\"http://www.site.test/a.html\">self</a>");
  Cache("/headerless.html", "h", "");
  Cache("/b.html", "b");
  testing::ScriptedPrompt stop(true);
  EXPECT_EQ(
      CopySiteTree(*store_, paths_, {std::string(kSite) + "/a.html", destination_, 0, "", false}, stop, unwatched_)
          .result,
      TreeCopyResult::kBrokenOff);
  EXPECT_EQ(Read("a.html"), "<a href=\"http://www.site.test/a.html\">self</a>");
  EXPECT_FALSE(fs::exists(Local("b.html")));
  EXPECT_FALSE(fs::exists(paths_.index));
}

// Asks the work to stop at its `stopAt`-th advance.
class StopAtAdvance : public cache::WorkProgress {
 public:
  explicit StopAtAdvance(int stopAt) : stopAt_(stopAt) {}
  bool Advance(uint64_t, uint64_t) override { return ++advances_ < stopAt_; }

 private:
  int stopAt_;
  int advances_ = 0;
};

TEST_F(SiteTreeCopyTest, StoppedByTheUserKeepsEveryCopiedFileAndRecordWholeAndTheRestInTheCache) {
  const std::map<std::string, std::string> files = {
      {"a.html", "<a href=\"http://www.site.test/b.html\">b</a>"}, {"b.html", "b"}, {"c.gif", "c"}, {"d.gif", "d"}};
  for (const auto& [name, content] : files) Cache("/" + name, content);
  StopAtAdvance work(3);
  const TreeCopyOutcome outcome =
      CopySiteTree(*store_, paths_,
                   {std::string(kSite) + "/a.html", destination_, kCommentConfirmed | kRemoveCopiedEntries, "", true},
                   prompt_, work);
  EXPECT_EQ(outcome.result, TreeCopyResult::kBrokenOff);
  EXPECT_EQ(outcome.filesCopied, 2u);
  const std::string records = testing::ReadTestFile(paths_.copies);
  size_t copied = 0;
  for (const auto& [name, content] : files) {
    const bool there = fs::exists(Local(name));
    copied += there ? 1 : 0;
    if (there) {
      EXPECT_EQ(Read(name), content) << name;  // whole, and untranslated
    }
    EXPECT_EQ(records.find("/" + name + " " + Local(name)) != std::string::npos, there) << name;
    EXPECT_EQ(cache::LookupEntry(*store_, std::string(kSite) + "/" + name).has_value(), !there) << name;
  }
  EXPECT_EQ(copied, 2u);
  EXPECT_FALSE(fs::exists(paths_.index));
}

TEST_F(SiteTreeCopyTest, BreaksOffWhenAFolderCannotBeMade) {
  testing::WriteTestFile(Local("docs"), "a file where a folder should be");
  Cache("/docs/sub/x.html", "x");
  EXPECT_EQ(Copy(), TreeCopyResult::kBrokenOff);
  EXPECT_THAT(prompt_.told,
              ElementsAre(Call{Local("docs"), "unable to create dir"}, Call{"Unable to create directory?", "Enum"}));
}

TEST_F(SiteTreeCopyTest, CopiesAServerOfAnySize) {
  for (int i = 0; i < 1300; ++i) Cache("/p/" + std::to_string(i) + ".gif", std::to_string(i));
  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);
  EXPECT_EQ(FilesBelow(destination_).size(), 1300u);
  EXPECT_EQ(Read("p/1299.gif"), "1299");
}

TEST_F(SiteTreeCopyTest, IndexesTheShallowestPagePreferringIndexOrDefaultOrNothing) {
  Cache("/a/b/index.html", "deep");
  Cache("/a/page.html", "page");
  Cache("/a/default.htm", "default");
  Cache("/a/zzz.html", "later");
  ASSERT_EQ(Copy(), TreeCopyResult::kCompleted);
  const std::string index = testing::ReadTestFile(paths_.index);
  EXPECT_NE(index.find("<a href=\"" + Local("a/default.htm") + "\">www.site.test : Site</a>"), std::string::npos);
  EXPECT_EQ(index.find("</UL>"), index.rfind("</UL>"));

  testing::TempFolder other;
  const ArchivePaths otherPaths = MakeArchivePaths(other.path());
  std::unique_ptr<cache::UrlCacheStore> images = cache::OpenUrlCacheStore(other / "store").store;
  images->AddEntry(cache::NewEntry{.url = "http://img.test/x.gif", .content = "x", .headers = kHeaders});
  EXPECT_EQ(
      CopySiteTree(*images, otherPaths, {"http://img.test/x.gif", other.path(), 0, "", false}, prompt_, unwatched_)
          .result,
      TreeCopyResult::kCompleted);
  EXPECT_FALSE(fs::exists(otherPaths.index));
}

TEST_F(SiteTreeCopyTest, AnAddressWithoutServerCopiesNothing) {
  Cache("/a.html", "a");
  EXPECT_EQ(
      CopySiteTree(*store_, paths_, {"Visited: @", destination_, kCommentConfirmed, "", true}, prompt_, unwatched_)
          .result,
      TreeCopyResult::kBrokenOff);
  EXPECT_THAT(FilesBelow(destination_), IsEmpty());
  EXPECT_THAT(prompt_.told, IsEmpty());
}

}  // namespace
}  // namespace vantry::archive

// The store under conditions an unlucky user or an attacker brings about: links in place
// of its folders, a read-only medium, a full disk, folders that cannot be read, a folder
// in place of a cookie file.
#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "cache/store/StoreError.h"
#include "files/WholeFile.h"
#include "testing/SystemFaults.h"
#include "testing/TempFolder.h"

namespace vantry::cache {

namespace {

namespace fs = std::filesystem;
using testing::RunInChild;
using testing::RunUnderFault;
using testing::SystemFault;

NewEntry Page(std::string url, std::string content) {
  NewEntry entry;
  entry.url = std::move(url);
  entry.content = std::move(content);
  entry.headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";
  return entry;
}

class StoreFaultsTest : public ::testing::Test {
 protected:
  fs::path Root() const { return folder.path() / "store"; }
  // A store with a page, a visit and a cookie, closed again.
  void Fill() {
    SqliteUrlCacheStore store(Root());
    ASSERT_EQ(store.error(), "");
    ASSERT_EQ(store.AddEntry(Page("http://a.example/p.htm", "page")), STORE_OK);
    ASSERT_EQ(store.RecordVisit("http://a.example/p.htm", 5, 1), STORE_OK);
    ASSERT_EQ(store.SetCookie({"id", "7", "a.example", "/", 0, 0, 1}), STORE_OK);
  }
  std::string CookieFile() const { return (Root() / "cookies" / (CookieUser() + "@a.example.txt")).string(); }
  std::string CookieUser() const {
    SqliteUrlCacheStore store(Root());
    std::string key;
    WalkCache(store, "cookie:", [&](CacheEntry& e) { key = e.sourceUrl; });
    return key.substr(7, key.find('@') - 7);
  }
  testing::TempFolder folder;
};

// A link in place of one of the store's folders is refused, whether it is there when
// the store is made or put there later; nothing is written where it leads.
TEST_F(StoreFaultsTest, LinksInPlaceOfTheStoreFoldersAreNeverFollowed) {
  for (const char* linked : {"content", "content/c0", "content/c3", "cookies"}) {
    testing::TempFolder scratch;
    fs::path root = scratch.path() / "store", outside = scratch.path() / "outside";
    fs::create_directories(outside);
    { SqliteUrlCacheStore made(root); }
    fs::remove_all(root / linked);
    fs::create_directory_symlink(outside, root / linked);
    SqliteUrlCacheStore store(root);
    EXPECT_EQ(store.error(), "The folder " + std::string(linked) + " of the cache store " + root.string() +
                                 " is a symbolic link; the store does not follow links in place of its folders.");
    EXPECT_TRUE(fs::is_empty(outside)) << linked;
  }
}

// A store opened before its folders were swapped for links goes on writing into the
// folders it opened, never through the links.
TEST_F(StoreFaultsTest, FoldersSwappedForLinksWhileOpenAreNotWrittenThrough) {
  fs::path outside = folder.path() / "outside";
  fs::create_directories(outside);
  SqliteUrlCacheStore store(Root());
  ASSERT_EQ(store.error(), "");
  fs::rename(Root() / "cookies", folder.path() / "moved-cookies");
  fs::rename(Root() / "content", folder.path() / "moved-content");
  fs::create_directory_symlink(outside, Root() / "cookies");
  fs::create_directory_symlink(outside, Root() / "content");
  for (int i = 0; i < 8; ++i) ASSERT_EQ(store.AddEntry(Page("http://s.example/" + std::to_string(i), "x")), STORE_OK);
  ASSERT_EQ(store.SetCookie({"n", "v", "s.example", "/", 0, 0, 0}), STORE_OK);
  ASSERT_EQ(store.SetCookie({"m", "w", "s.example", "/", 0, 0, 0}), STORE_OK);
  ASSERT_EQ(store.DeleteEntry("http://s.example/0"), STORE_OK);
  EXPECT_TRUE(fs::is_empty(outside));
  EXPECT_EQ(GetCookieText(store, "http://s.example/"), "n=v; m=w");
}

// The medium holds the store read-only: reading works as before, every write says so.
TEST_F(StoreFaultsTest, ReadOnlyStoreIsReadAndItsWritesSayWhy) {
  Fill();
  std::string seen = RunUnderFault(SystemFault::kReadOnlyFileSystem, [&] {
    SqliteUrlCacheStore store(Root());
    if (!store.error().empty()) return store.error();
    std::string text = store.readOnly() ? "read-only" : "writable";
    WalkCache(store, "", [&](CacheEntry& e) { text += "|" + e.sourceUrl; });
    text += "|" + GetCookieText(store, "http://a.example/").value_or("<none>");
    text += "|" + files::ReadWholeFile(LookupEntry(store, "http://a.example/p.htm")->localFileName).value_or("");
    for (uint32_t write :
         {store.AddEntry(Page("http://b.example/", "b")), store.RecordVisit("http://b.example/", 1, 1),
          store.SetCookie({"n", "v", "b.example", "/", 0, 0, 0}), store.DeleteEntry("http://a.example/p.htm")})
      text += "|" + StoreErrorText(write);
    return text;
  });
  std::string cookieKey = "Cookie:" + CookieUser() + "@a.example/";
  EXPECT_EQ(seen, "read-only|http://a.example/p.htm|Visited: @http://a.example/p.htm|" + cookieKey +
                      "|id=7|page|the store is read-only|the store is read-only|the store is read-only|"
                      "the store is read-only");
}

// A full disk is named as such, whether the index or a file could not be written, and
// what was there stays as it was.
TEST_F(StoreFaultsTest, FullDiskIsNamed) {
  Fill();
  std::string opening = RunUnderFault(SystemFault::kDiskFull, [&] { return SqliteUrlCacheStore(Root()).error(); });
  EXPECT_EQ(opening, "The cache store index " + (Root() / "index.sqlite").string() +
                         " cannot be used: the disk is full (disk I/O error).");
  std::string seen = RunInChild([&] {
    SqliteUrlCacheStore store(Root());
    if (!store.error().empty()) return store.error();
    testing::BringAbout(SystemFault::kDiskFull);
    std::vector<NewEntry> batch;
    for (int i = 0; i < 40; ++i) batch.push_back(Page("http://full.example/" + std::to_string(i), "body"));
    return StoreErrorText(store.AddEntries(batch)) + "|" +
           StoreErrorText(store.SetCookie({"id", "8", "a.example", "/", 0, 0, 1})) + "|" +
           StoreErrorText(store.RecordVisit("http://full.example/", 1, 1));
  });
  EXPECT_EQ(seen, "the disk is full|the disk is full|the disk is full");

  SqliteUrlCacheStore store(Root());
  EXPECT_EQ(GetCookieText(store, "http://a.example/"), "id=7");
  EXPECT_FALSE(LookupEntry(store, "http://full.example/0"));
  size_t files = 0;
  for (const auto& item : fs::recursive_directory_iterator(store.ContentFolder())) files += item.is_regular_file();
  EXPECT_EQ(files, 1u);
}

TEST_F(StoreFaultsTest, UnreadableStoreFolderIsNotReportedAsOneToCreate) {
  Fill();
  std::string seen =
      RunUnderFault(SystemFault::kFoldersUnreadable, [&] { return SqliteUrlCacheStore(Root()).error(); });
  EXPECT_EQ(seen, "Cannot open the cache store folder " + Root().string() + ": permission denied.");
}

// The site's other cookies keep their bytes when one is set, even bytes the store itself
// would not write (a carriage return ending a value, a number with a leading zero); a
// file that cannot be read is never replaced by one without them.
TEST_F(StoreFaultsTest, CookieFileKeepsTheOtherCookiesByteForByte) {
  Fill();
  std::string byHand = "old\rvalue\r\nx\r\na.example/\n0\n00\n0\n1\n0\n*\n";
  std::string file = CookieFile();
  std::string written = *files::ReadWholeFile(file);
  ASSERT_TRUE(files::WriteWholeFile(file, byHand + written));
  {
    SqliteUrlCacheStore store(Root());
    for (int i = 0; i < 3; ++i)
      ASSERT_EQ(store.SetCookie({"id", std::to_string(i), "a.example", "/", 0, 0, 1}), STORE_OK);
  }
  std::string after = *files::ReadWholeFile(file);
  EXPECT_TRUE(after.starts_with(byHand)) << after;
  EXPECT_EQ(after.size(), byHand.size() + written.size());

  fs::remove(file);
  fs::create_directory(file);
  SqliteUrlCacheStore store(Root());
  EXPECT_EQ(StoreErrorText(store.SetCookie({"new", "1", "a.example", "/", 0, 0, 0})),
            "a folder stands where the store keeps one of its files");
  EXPECT_EQ(GetCookieText(store, "http://a.example/"), std::nullopt);
  EXPECT_TRUE(fs::is_directory(file));
}

}  // namespace

}  // namespace vantry::cache

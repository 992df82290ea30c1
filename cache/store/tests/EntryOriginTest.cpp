#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/Sqlite.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "testing/TempFolder.h"

namespace vantry::cache {

namespace {

EntryOrigin OriginOf(const std::string& url) {
  return {"Firefox (Snap)", "default-\xe4\x01", "/home/u/.mozilla/firefox/x.default", "/home/u/cache2/entries/" + url};
}

NewEntry Imported(const std::string& url, std::optional<EntryOrigin> origin) {
  NewEntry entry;
  entry.url = url;
  entry.content = "body of " + url;
  entry.headers = "HTTP/1.1 200 OK\r\n";
  entry.origin = std::move(origin);
  return entry;
}

std::optional<EntryOrigin> StoredOrigin(UrlCacheStore& store, const std::string& url) {
  EntryOrigin origin;
  if (store.GetEntryOrigin(url, origin) != STORE_OK) return std::nullopt;
  return origin;
}

class EntryOriginTest : public ::testing::Test {
 protected:
  std::filesystem::path Root() const { return folder.path() / "store"; }
  testing::TempFolder folder;
};

// The origin lives and dies with its entry: added with it, replaced with it, taken away
// when the entry is written again without one or deleted.
TEST_F(EntryOriginTest, OriginFollowsItsEntry) {
  SqliteUrlCacheStore store(Root());
  std::vector<NewEntry> batch = {Imported("http://a.example/1", OriginOf("1")), Imported("http://a.example/2", {}),
                                 Imported("http://a.example/3", OriginOf("3"))};
  ASSERT_EQ(store.AddEntries(batch), STORE_OK);
  EXPECT_EQ(StoredOrigin(store, "http://a.example/1"), OriginOf("1"));
  EXPECT_EQ(StoredOrigin(store, "http://a.example/2"), std::nullopt);
  EXPECT_EQ(StoredOrigin(store, "http://nowhere.example/"), std::nullopt);

  ASSERT_EQ(store.AddEntry(Imported("http://a.example/1", OriginOf("1 again"))), STORE_OK);
  EXPECT_EQ(StoredOrigin(store, "http://a.example/1"), OriginOf("1 again"));
  ASSERT_EQ(store.AddEntry(Imported("http://a.example/1", {})), STORE_OK);
  EXPECT_EQ(StoredOrigin(store, "http://a.example/1"), std::nullopt);

  ASSERT_EQ(store.DeleteEntry("http://a.example/3"), STORE_OK);
  EXPECT_EQ(StoredOrigin(store, "http://a.example/3"), std::nullopt);
  ASSERT_EQ(store.AddEntry(Imported("http://a.example/3", {})), STORE_OK);
  EXPECT_EQ(StoredOrigin(store, "http://a.example/3"), std::nullopt);
}

// A writer killed at any moment leaves every entry with the origin it was written with and
// no origin without its entry: both are written and removed in one transaction.
TEST_F(EntryOriginTest, KilledWriterLeavesNoEntryWithoutItsOriginNorTheReverse) {
  SqliteUrlCacheStore{Root()};
  for (int round = 0; round < 4; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SqliteUrlCacheStore writer(Root());
      for (int i = 0;; ++i) {
        std::string url = "http://k.example/" + std::to_string(i % 200);
        writer.AddEntries(
            std::vector<NewEntry>{Imported(url, OriginOf(url)), Imported(url + "x", OriginOf(url + "x"))});
        if (i % 5 == 0) writer.DeleteEntry("http://k.example/" + std::to_string((i * 13) % 200));
      }
    }
    usleep(40'000 + round * 45'000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    SqliteUrlCacheStore store(Root());
    size_t entries = 0;
    WalkCache(store, "", [&](CacheEntry& e) {
      ++entries;
      EXPECT_EQ(StoredOrigin(store, e.sourceUrl), OriginOf(e.sourceUrl));
    });
    SqliteDatabase index;
    ASSERT_TRUE(index.Open((Root() / "index.sqlite").string(), false));
    SqliteStatement count = index.Prepare("SELECT count(*) FROM origins");
    ASSERT_EQ(count.Step(), SQLITE_ROW);
    EXPECT_EQ(static_cast<size_t>(count.Int(0)), entries);
  }
}

// A store made before origins were kept has no side table: it opens with its entries,
// knows no origin for them and keeps those of entries imported later.
TEST_F(EntryOriginTest, AStoreWithoutTheSideTableKeepsWorking) {
  {
    SqliteUrlCacheStore made(Root());
    ASSERT_EQ(made.AddEntry(Imported("http://old.example/", {})), STORE_OK);
  }
  {
    SqliteDatabase index;
    ASSERT_TRUE(index.Open((Root() / "index.sqlite").string(), false));
    ASSERT_TRUE(index.Execute("DROP TABLE origins"));
  }
  SqliteUrlCacheStore store(Root());
  ASSERT_EQ(store.error(), "");
  EXPECT_TRUE(LookupEntry(store, "http://old.example/"));
  EXPECT_EQ(StoredOrigin(store, "http://old.example/"), std::nullopt);
  ASSERT_EQ(store.AddEntry(Imported("http://new.example/", OriginOf("new"))), STORE_OK);
  EXPECT_EQ(StoredOrigin(store, "http://new.example/"), OriginOf("new"));
  EXPECT_EQ(store.DeleteEntry("http://old.example/"), STORE_OK);
}

}  // namespace

}  // namespace vantry::cache

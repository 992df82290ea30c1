#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "testing/TempFolder.h"

namespace vantry::cache {

namespace fs = std::filesystem;

namespace {

NewEntry Page(std::string url, std::string content,
              std::string headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n") {
  NewEntry entry;
  entry.url = std::move(url);
  entry.content = std::move(content);
  entry.headers = std::move(headers);
  entry.lastSyncTime = 1234;
  return entry;
}

std::vector<std::string> WalkUrls(UrlCacheStore& store, std::string_view pattern = {}) {
  std::vector<std::string> urls;
  EXPECT_EQ(WalkCache(store, pattern, [&](CacheEntry& e) { urls.push_back(e.sourceUrl); }), WalkResult::Normal);
  return urls;
}

// Forwards to a real store and records the buffer size offered for each fetch.
class OfferRecordingStore : public SqliteUrlCacheStore {
 public:
  using SqliteUrlCacheStore::SqliteUrlCacheStore;
  uint32_t FindFirstEntry(std::string_view p, CacheEntry& e, uint32_t& size, WalkHandle& h) override {
    offers.push_back(size);
    return SqliteUrlCacheStore::FindFirstEntry(p, e, size, h);
  }
  uint32_t FindNextEntry(WalkHandle h, CacheEntry& e, uint32_t& size) override {
    offers.push_back(size);
    return SqliteUrlCacheStore::FindNextEntry(h, e, size);
  }
  void FindCloseWalk(WalkHandle h) override {
    ++closes;
    SqliteUrlCacheStore::FindCloseWalk(h);
  }
  std::vector<uint32_t> offers;
  int closes = 0;
};

class CacheStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<UrlCacheStore> Open() {
    StoreOpenResult opened = OpenUrlCacheStore(folder.path() / "store");
    EXPECT_EQ(opened.error, "");
    return std::move(opened.store);
  }
  testing::TempFolder folder;
};

TEST_F(CacheStoreTest, EmptyStoreWalksNormallyWithoutCallingTheStep) {
  auto store = Open();
  int calls = 0;
  EXPECT_EQ(WalkCache(*store, "", [&](CacheEntry&) { ++calls; }), WalkResult::Normal);
  EXPECT_EQ(calls, 0);
}

TEST_F(CacheStoreTest, WalkKeepsInsertionOrderAndReplacingKeepsThePlace) {
  auto store = Open();
  for (const char* url : {"http://b.example/2", "http://a.example/1", "http://c.example/3"})
    ASSERT_EQ(store->AddEntry(Page(url, "x")), STORE_OK);
  ASSERT_EQ(store->AddEntry(Page("http://a.example/1", "replaced")), STORE_OK);
  EXPECT_EQ(WalkUrls(*store),
            (std::vector<std::string>{"http://b.example/2", "http://a.example/1", "http://c.example/3"}));
  auto entry = LookupEntry(*store, "http://a.example/1");
  ASSERT_TRUE(entry);
  EXPECT_EQ(files::ReadWholeFile(entry->localFileName), "replaced");
  EXPECT_EQ(entry->sizeLow, 8u);
}

TEST_F(CacheStoreTest, BytesOfAnyValueAndLengthSurviveTheRoundTrip) {
  auto store = Open();
  std::string url = "http://bytes.example/\x01\xff\xe4?q=" + std::string(5000, 'u');
  std::string headers("HTTP/1.1 200 OK\r\nX-Nul: a\0b\r\n", 29);
  std::string content("\0\x80\xff", 3);
  ASSERT_EQ(store->AddEntry(Page(url, content, headers)), STORE_OK);
  auto entry = LookupEntry(*store, url);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->sourceUrl, url);
  EXPECT_EQ(entry->headerInfo, headers);
  EXPECT_EQ(entry->headerInfoSize(), 29u);
  EXPECT_EQ(HeaderText(*entry), "HTTP/1.1 200 OK\r\nX-Nul: a");
  EXPECT_EQ(files::ReadWholeFile(entry->localFileName), content);
  EXPECT_EQ(entry->lastSyncTime, 1234u);
}

TEST_F(CacheStoreTest, LargeEntriesGrowTheBufferAndTheNextEntryStartsAgainAt4096) {
  fs::path root = folder.path() / "store";
  {
    OfferRecordingStore filler(root);
    filler.AddEntry(Page("http://big.example/" + std::string(6000, 'x'), "1"));
    filler.AddEntry(Page("http://small.example/", "2"));
  }
  OfferRecordingStore store(root);
  std::vector<size_t> urlSizes;
  ASSERT_EQ(WalkCache(store, "", [&](CacheEntry& e) { urlSizes.push_back(e.sourceUrl.size()); }), WalkResult::Normal);
  EXPECT_EQ(urlSizes, (std::vector<size_t>{6019, 21}));
  ASSERT_EQ(store.offers.size(), 4u);  // 4096, the size asked for, 4096, 4096 at the end
  EXPECT_EQ(store.offers[0], 4096u);
  EXPECT_GT(store.offers[1], 6019u);
  EXPECT_EQ(store.offers[2], 4096u);
  EXPECT_EQ(store.offers[3], 4096u);
}

TEST_F(CacheStoreTest, AStoppedWalkEndsAtOnceAndClosesItsHandle) {
  struct Row {
    int stopAfter;  // entries handed to the step before it says stop; 0: never
    WalkResult result;
    int steps;
  };
  const Row rows[] = {{1, WalkResult::Stopped, 1}, {3, WalkResult::Stopped, 3}, {0, WalkResult::Normal, 5}};
  fs::path root = folder.path() / "store";
  {
    OfferRecordingStore filler(root);
    for (int i = 0; i < 5; ++i) filler.AddEntry(Page("http://a.example/" + std::to_string(i), "x"));
  }
  for (const Row& row : rows) {
    OfferRecordingStore store(root);
    int steps = 0;
    EXPECT_EQ(WalkCacheUntil(store, "", [&](CacheEntry&) { return ++steps != row.stopAfter; }), row.result);
    EXPECT_EQ(steps, row.steps) << row.stopAfter;
    EXPECT_EQ(store.closes, 1) << row.stopAfter;
    EXPECT_EQ(WalkUrls(store).size(), 5u);  // a new walk starts from the beginning again
  }
}

TEST_F(CacheStoreTest, VisitedPatternSelectsHistoryEntriesOnly) {
  auto store = Open();
  store->AddEntry(Page("http://a.example/", "a"));
  ASSERT_EQ(store->RecordVisit("http://a.example/", 99, 3), STORE_OK);
  store->SetCookie(Cookie{"n", "v", "a.example", "/", 0, 0, 0});
  EXPECT_EQ(WalkUrls(*store, "visited:"), std::vector<std::string>{"Visited: @http://a.example/"});
  EXPECT_EQ(WalkUrls(*store).size(), 3u);

  auto visit = LookupEntry(*store, "Visited: @http://a.example/");
  ASSERT_TRUE(visit);
  EXPECT_EQ(visit->entryType, NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY);
  EXPECT_EQ(visit->useCount, 3u);
  EXPECT_EQ(visit->lastAccessTime, 99u);
  EXPECT_FALSE(IsContentEntry(*visit));
  EXPECT_EQ(LookupLocalFileName(*store, "Visited: @http://a.example/", "None"), "None");
  EXPECT_EQ(LookupLocalFileName(*store, "http://gone.example/", "None"), std::nullopt);
}

TEST_F(CacheStoreTest, AttributeUpdateChangesOnlyTheType) {
  auto store = Open();
  store->AddEntry(Page("http://a.example/p.htm", "body"));
  CacheEntry change = *LookupEntry(*store, "http://a.example/p.htm");
  std::string file = change.localFileName;
  change.entryType |= STICKY_CACHE_ENTRY;
  change.localFileName = "elsewhere";
  change.useCount = 77;
  EXPECT_EQ(store->SetEntryInfo("http://a.example/p.htm", change, CACHE_ENTRY_ATTRIBUTE_FC), STORE_OK);
  auto after = LookupEntry(*store, "http://a.example/p.htm");
  EXPECT_EQ(after->entryType, NORMAL_CACHE_ENTRY | STICKY_CACHE_ENTRY);
  EXPECT_EQ(after->localFileName, file);
  EXPECT_EQ(after->useCount, 1u);
  EXPECT_EQ(store->SetEntryInfo("http://none.example/", change, CACHE_ENTRY_ATTRIBUTE_FC), ERROR_FILE_NOT_FOUND);
}

TEST_F(CacheStoreTest, DeleteRemovesEntryAndFileAndAWalkSurvivesDeletesInItsSteps) {
  auto store = Open();
  for (int i = 0; i < 600; ++i) store->AddEntry(Page("http://d.example/" + std::to_string(i) + ".htm", "x"));
  std::string file = LookupEntry(*store, "http://d.example/5.htm")->localFileName;
  int seen = 0;
  WalkCache(*store, "", [&](CacheEntry& e) {
    ++seen;
    EXPECT_EQ(store->DeleteEntry(e.sourceUrl), STORE_OK);
  });
  EXPECT_EQ(seen, 600);
  EXPECT_TRUE(WalkUrls(*store).empty());
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(store->DeleteEntry("http://d.example/5.htm"), ERROR_FILE_NOT_FOUND);
}

TEST_F(CacheStoreTest, FilesOfTheSameNameGetNumberedSuffixes) {
  auto store = Open();
  std::set<std::string> names;
  for (int host = 0; host < 12; ++host) {
    std::string url = "http://h" + std::to_string(host) + ".example/dir/page.htm?x=1";
    store->AddEntry(Page(url, "x"));
    auto entry = LookupEntry(*store, url);
    names.insert(entry->localFileName);
    EXPECT_EQ(entry->fileExtension, "htm");
  }
  EXPECT_EQ(names.size(), 12u);
  EXPECT_EQ(names.count((fs::path(*names.begin()).parent_path() / "page[1].htm").string()), 1u);
}

// Numbering resumes where it stopped, yet still skips names another writer took meanwhile,
// and a freed plain name is used again.
TEST_F(CacheStoreTest, NumberedNamesStayDistinctAcrossBatchesAndWriters) {
  auto first = Open();
  auto second = Open();
  auto batch = [](int from, int count) {
    std::vector<NewEntry> entries;
    for (int i = from; i < from + count; ++i)
      entries.push_back(Page("http://s.example/" + std::to_string(i) + "/", std::to_string(i)));
    return entries;
  };
  ASSERT_EQ(first->AddEntries(batch(0, 50)), STORE_OK);
  ASSERT_EQ(second->AddEntries(batch(50, 20)), STORE_OK);
  ASSERT_EQ(first->AddEntries(batch(70, 10)), STORE_OK);
  std::set<std::string> files;
  for (int i = 0; i < 80; ++i) {
    auto entry = LookupEntry(*first, "http://s.example/" + std::to_string(i) + "/");
    ASSERT_TRUE(entry) << i;
    EXPECT_EQ(files::ReadWholeFile(entry->localFileName), std::to_string(i));
    files.insert(entry->localFileName);
  }
  EXPECT_EQ(files.size(), 80u);

  std::string plain = LookupEntry(*first, "http://s.example/0/")->localFileName;
  ASSERT_EQ(fs::path(plain).filename(), "index.htm");
  ASSERT_EQ(first->DeleteEntry("http://s.example/0/"), STORE_OK);
  ASSERT_EQ(first->AddEntries(batch(0, 1)), STORE_OK);
  EXPECT_EQ(LookupEntry(*first, "http://s.example/0/")->localFileName, plain);
}

// Names are chosen against the index; a file in the content folders that the index does
// not know keeps its name and its bytes, and the entry takes another name, in a batch of
// any size.
TEST_F(CacheStoreTest, FilesTheIndexDoesNotKnowAreLeftAlone) {
  auto store = Open();
  for (int i = 0; i < 4; ++i) {
    fs::path subfolder = store->ContentFolder() / ("c" + std::to_string(i));
    files::WriteWholeFile(subfolder / "page.htm", "not the store's");
    files::WriteWholeFile(subfolder / "page[1].htm", "not the store's");
    fs::create_symlink(folder.path() / "outside.htm", subfolder / "link.htm");
  }
  for (size_t size : {1, 40}) {
    std::vector<NewEntry> entries;
    for (size_t i = 0; i < size; ++i) {
      entries.push_back(
          Page("http://n" + std::to_string(size) + "-" + std::to_string(i) + ".example/page.htm", "page"));
      entries.push_back(
          Page("http://n" + std::to_string(size) + "-" + std::to_string(i) + ".example/link.htm", "link"));
    }
    ASSERT_EQ(store->AddEntries(entries), STORE_OK) << size;
    for (const NewEntry& e : entries) {
      auto entry = LookupEntry(*store, e.url);
      ASSERT_TRUE(entry) << e.url;
      EXPECT_EQ(files::ReadWholeFile(entry->localFileName), e.content) << e.url;
      EXPECT_NE(fs::path(entry->localFileName).filename(), "page.htm") << e.url;
      EXPECT_NE(fs::path(entry->localFileName).filename(), "link.htm") << e.url;
    }
  }
  size_t strays = 0;
  for (const auto& item : fs::recursive_directory_iterator(store->ContentFolder()))
    if (item.path().filename() == "page.htm" || item.path().filename() == "page[1].htm")
      strays += files::ReadWholeFile(item.path()) == std::optional<std::string>("not the store's");
  EXPECT_EQ(strays, 8u);
  EXPECT_FALSE(fs::exists(folder.path() / "outside.htm"));
}

// In one batch the last entry of a URL wins, and the files of the earlier ones go.
TEST_F(CacheStoreTest, BatchKeepsTheLastEntryOfARepeatedUrl) {
  auto store = Open();
  std::vector<NewEntry> entries = {Page("http://r.example/a.htm", "one"), Page("http://r.example/b.htm", "two"),
                                   Page("http://r.example/a.htm", "three")};
  ASSERT_EQ(store->AddEntries(entries), STORE_OK);
  EXPECT_EQ(WalkUrls(*store), (std::vector<std::string>{"http://r.example/a.htm", "http://r.example/b.htm"}));
  EXPECT_EQ(files::ReadWholeFile(LookupEntry(*store, "http://r.example/a.htm")->localFileName), "three");
  int files = 0;
  for (const auto& item : fs::recursive_directory_iterator(store->ContentFolder())) files += item.is_regular_file();
  EXPECT_EQ(files, 2);
}

TEST_F(CacheStoreTest, CookieTextIsWhatABrowserWouldSend) {
  auto store = Open();
  FileTime future = FileTimeNow() + 10'000'000ULL * 3600, past = FileTimeNow() - 1;
  std::vector<Cookie> cookies = {
      {"host", "1", "www.shop.example", "/", 0, 0, 10},
      {"dom", "2", ".shop.example", "/", 0, future, 20},
      {"deep", "3", "www.shop.example", "/cart", 0, 0, 30},
      {"safe", "4", "www.shop.example", "/", COOKIE_FLAG_SECURE, 0, 40},
      {"old", "5", "www.shop.example", "/", 0, past, 50},
  };
  for (const Cookie& c : cookies) ASSERT_EQ(store->SetCookie(c), STORE_OK);
  struct Row {
    const char* url;
    const char* text;
  } rows[] = {
      {"http://www.shop.example/", "host=1; dom=2"},
      {"https://www.shop.example/cart/item", "deep=3; host=1; dom=2; safe=4"},
      {"http://www.shop.example/cartoon", "host=1; dom=2"},
      {"http://shop.example/", "dom=2"},
      {"http://a.b.shop.example:8080/x?y", "dom=2"},
      {"http://other.example/", nullptr},
      {"ftp://www.shop.example/", nullptr},
  };
  for (const Row& row : rows) {
    auto text = GetCookieText(*store, row.url);
    if (row.text)
      EXPECT_EQ(text, row.text) << row.url;
    else
      EXPECT_EQ(text, std::nullopt) << row.url;
  }
  // Setting a cookie again replaces it in the site's one file.
  ASSERT_EQ(store->SetCookie({"host", "9", "www.shop.example", "/", 0, 0, 10}), STORE_OK);
  EXPECT_EQ(GetCookieText(*store, "http://www.shop.example/"), "host=9; dom=2");
  std::vector<std::string> cookieEntries = WalkUrls(*store, "cookie:");
  EXPECT_EQ(cookieEntries.size(), 2u);  // www.shop.example and shop.example
  EXPECT_EQ(store->SetCookie({"bad", "line\nbreak", "x.example", "/", 0, 0, 0}), ERROR_INVALID_PARAMETER);
}

TEST_F(CacheStoreTest, OfflineSwitch) {
  auto store = Open();
  EXPECT_FALSE(store->IsOffline());
  GoOffline(*store);
  EXPECT_TRUE(store->IsOffline());
}

TEST_F(CacheStoreTest, DamagedOrMissingIndexIsAClearErrorNeverANewEmptyStore) {
  fs::path root = folder.path() / "store";
  Open()->AddEntry(Page("http://a.example/", "a"));
  fs::remove(root / "index.sqlite");
  StoreOpenResult missing = OpenUrlCacheStore(root);
  EXPECT_EQ(missing.store, nullptr);
  EXPECT_NE(missing.error.find("is missing"), std::string::npos);

  fs::path other = folder.path() / "damaged";
  fs::create_directories(other);
  files::WriteWholeFile(other / "index.sqlite", std::string(4096, 'G'));
  StoreOpenResult damaged = OpenUrlCacheStore(other);
  EXPECT_EQ(damaged.store, nullptr);
  EXPECT_NE(damaged.error.find("cannot be used"), std::string::npos);
}

// A writer killed at a random moment leaves no row without its whole file, and the next
// opener removes files no row points to.
TEST_F(CacheStoreTest, KilledWriterLeavesAConsistentStore) {
  fs::path root = folder.path() / "store";
  Open();
  for (int round = 0; round < 5; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SqliteUrlCacheStore writer(root);
      for (int i = 0;; ++i) {
        writer.AddEntry(Page("http://k.example/" + std::to_string(i % 300) + ".htm", std::string(4000 + i % 97, 'k')));
        if (i % 7 == 0) writer.DeleteEntry("http://k.example/" + std::to_string((i * 13) % 300) + ".htm");
      }
    }
    usleep(50'000 + round * 37'000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    auto store = Open();
    std::set<fs::path> referenced;
    WalkCache(*store, "", [&](CacheEntry& e) {
      ASSERT_TRUE(fs::exists(e.localFileName)) << e.sourceUrl;
      EXPECT_EQ(fs::file_size(e.localFileName), e.sizeLow);
      referenced.insert(e.localFileName);
    });
    for (const auto& item : fs::recursive_directory_iterator(store->ContentFolder())) {
      if (item.is_regular_file()) {
        EXPECT_TRUE(referenced.count(item.path())) << item.path();
      }
    }
  }
}

}  // namespace

}  // namespace vantry::cache

#include "import/BrowserImport.h"

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "import/BrowserCacheFiles.h"
#include "import/ProfileDiscovery.h"
#include "import/tests/CorpusProfiles.h"
#include "import/tests/ImportTestSupport.h"

namespace vantry::import {

namespace {

namespace fs = std::filesystem;

struct ImportedOrigins {
  size_t contentEntries = 0;
  std::vector<cache::EntryOrigin> origins;
};

ImportedOrigins OriginsOf(cache::UrlCacheStore& store) {
  ImportedOrigins found;
  cache::WalkCache(store, "", [&](cache::CacheEntry& entry) {
    if (!cache::IsContentEntry(entry)) return;
    ++found.contentEntries;
    if (cache::EntryOrigin origin; store.GetEntryOrigin(entry.sourceUrl, origin) == cache::STORE_OK)
      found.origins.push_back(origin);
  });
  return found;
}

// A Firefox profile and a Chromium profile of the corpus in a home whose cache folder is
// a link to another folder, as when ~/.cache lives on another disk.
class BrowserImportTest : public ::testing::Test {
 protected:
  BrowserImportTest() {
    h.File(".mozilla/firefox/profiles.ini", "[Profile0]\nName=default\nIsRelative=1\nPath=abc.default\nDefault=1\n");
    h.Folder("elsewhere/cache");
    fs::create_directory_symlink(h / "elsewhere/cache", h / ".cache");
    CopyCorpusFirefoxProfile(h / ".mozilla/firefox/abc.default", h / ".cache/mozilla/firefox/abc.default/cache2",
                             CacheCopy::Few);
    CopyCorpusChromiumProfile(h / ".config/chromium/Default", h / ".cache/chromium/Default/Cache/Cache_Data",
                              CacheCopy::Few);
  }

  FakeHome h;
  ScratchStore s;
  std::ostringstream progress;
};

TEST_F(BrowserImportTest, EveryImportedEntryKnowsItsProfileAndItsFileByPathsWithoutLinks) {
  std::vector<ProfileOffer> offers = ProfilesToOffer(h.home);
  ASSERT_EQ(offers.size(), 2u);
  struct Expected {
    const char* browser;
    const char* name;
    fs::path folder;
    fs::path entries;  // the folder of the entry files, without the link
  } expected[] = {
      {"Firefox", "default", h / ".mozilla/firefox/abc.default",
       h / "elsewhere/cache/mozilla/firefox/abc.default/cache2/entries"},
      {"Chromium", "Default", h / ".config/chromium/Default", h / "elsewhere/cache/chromium/Default/Cache/Cache_Data"},
  };
  for (size_t i = 0; i < offers.size(); ++i) {
    const Expected& e = expected[i];
    EXPECT_EQ(offers[i].profile.browser, e.browser);
    uint64_t entryBytes = 0;
    for (const auto& item : fs::directory_iterator(e.entries)) entryBytes += item.file_size();
    EXPECT_EQ(offers[i].cacheBytes, entryBytes) << e.browser;

    ScratchStore fresh;
    ImportSummary summary = ImportBrowserProfile(offers[i].profile, *fresh.store, progress);
    EXPECT_GT(summary.entriesImported(), 0u) << e.browser;
    ImportedOrigins imported = OriginsOf(*fresh.store);
    EXPECT_EQ(imported.origins.size(), imported.contentEntries) << e.browser;
    for (const cache::EntryOrigin& origin : imported.origins) {
      EXPECT_EQ(origin.browser, e.browser);
      EXPECT_EQ(origin.profile, e.name);
      EXPECT_EQ(origin.profileFolder, fs::canonical(e.folder).string());
      EXPECT_EQ(fs::path(origin.entryFile).parent_path(), fs::canonical(e.entries)) << origin.entryFile;
      EXPECT_TRUE(fs::is_regular_file(origin.entryFile)) << origin.entryFile;
      EXPECT_TRUE(EntryFileFamily(origin.entryFile)) << origin.entryFile;
    }
  }
}

// A blockfile cache keeps many entries in each of its files: its entries know their
// profile but no file; Service Worker caches keep one entry per file, as Simple Cache.
TEST(BrowserImportOriginTest, BlockfileEntriesHaveNoFileOfTheirOwnServiceWorkerEntriesDo) {
  testing::TempFolder folder;
  const fs::path profile = fs::canonical(folder.path()) / "Default";
  fs::create_directories(profile);
  fs::copy(CorpusFolder() / "chromium-blockfile", profile / "Cache", fs::copy_options::recursive);
  fs::copy(CorpusFolder() / "chromium-serviceworker", profile, fs::copy_options::recursive);
  ScratchStore s;
  std::ostringstream progress;
  ImportBrowserProfile(ProfileAt(BrowserFamily::Chromium, profile, HomeFolders{}), *s.store, progress);
  size_t withoutFile = 0, serviceWorker = 0;
  for (const cache::EntryOrigin& origin : OriginsOf(*s.store).origins) {
    EXPECT_EQ(origin.profileFolder, profile.string());
    if (origin.entryFile.empty()) {
      ++withoutFile;
      continue;
    }
    ++serviceWorker;
    EXPECT_TRUE(origin.entryFile.starts_with((profile / "Service Worker/CacheStorage/").string())) << origin.entryFile;
    EXPECT_TRUE(EntryFileFamily(origin.entryFile)) << origin.entryFile;
  }
  EXPECT_EQ(withoutFile, 344u);
  EXPECT_EQ(serviceWorker, 7u);
}

// Stopping leaves the store whole with what was offered before: no visit or cookie is
// read, and every entry written has its file.
TEST_F(BrowserImportTest, StoppingKeepsWhatWasImportedAndReadsNoMore) {
  StoreOptions options;
  std::vector<size_t> asked;
  options.keepGoing = [&](size_t done, size_t total) {
    asked.push_back(total);
    return done < 2;
  };
  ImportSummary summary = ImportBrowserProfile(ProfilesToOffer(h.home).at(0).profile, *s.store, progress, options);
  EXPECT_TRUE(summary.stopped);
  EXPECT_EQ(asked, (std::vector<size_t>{3, 3}));
  EXPECT_EQ(summary.visitsImported + summary.cookiesImported, 0u);
  EXPECT_LE(summary.entriesImported(), 2u);
  std::ostringstream printed;
  PrintSummary(summary, printed);
  EXPECT_NE(printed.str().find("Stopped before the end"), std::string::npos);
  size_t entries = 0;
  cache::WalkCache(*s.store, "", [&](cache::CacheEntry& entry) {
    ++entries;
    EXPECT_TRUE(fs::is_regular_file(entry.localFileName)) << entry.sourceUrl;
  });
  EXPECT_EQ(entries, summary.entriesImported());
}

TEST(FolderBytesTest, CountsRegularFilesBelowTheFolderAndNoLinks) {
  testing::TempFolder folder;
  testing::WriteTestFile(folder / "cache/a", std::string(1000, 'a'));
  testing::WriteTestFile(folder / "cache/sub/b", std::string(24, 'b'));
  testing::WriteTestFile(folder / "outside/big", std::string(5000, 'c'));
  fs::create_symlink(folder / "outside/big", folder / "cache/link");
  fs::create_directory_symlink(folder / "outside", folder / "cache/linked-folder");
  EXPECT_EQ(FolderBytes(folder / "cache"), 1024u);
  EXPECT_EQ(FolderBytes(folder / "missing"), 0u);
  EXPECT_EQ(FolderBytes(""), 0u);
}

TEST(ByteSizeTextTest, BytesThenOneDecimalOfTheLargestUnitBelowThem) {
  const std::pair<uint64_t, const char*> rows[] = {
      {0, "0 bytes"},      {1, "1 byte"},          {1023, "1023 bytes"},
      {1024, "1.0 KB"},    {1536, "1.5 KB"},       {1024 * 1024 - 1, "1.0 MB"},
      {5 << 20, "5.0 MB"}, {3ULL << 30, "3.0 GB"}, {UINT64_MAX, "16777216.0 TB"},
  };
  for (const auto& [bytes, text] : rows) EXPECT_EQ(ByteSizeText(bytes), text) << bytes;
}

}  // namespace

}  // namespace vantry::import

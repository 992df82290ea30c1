#include "import/CacheImport.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/FirefoxCacheEntry.h"
#include "import/ProfileImport.h"
#include "import/SimpleCacheEntry.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// Two Chromium profiles (partitions) caching many of the same URLs at other times, with
// encoded bodies, bodies that do not decode, damaged and unreadable files among them;
// and a later state of the first profile, for a second import.
struct TwoProfiles {
  testing::TempFolder folder;
  std::vector<std::string> first, later;

  TwoProfiles() {
    for (int i = 0; i < 60; ++i) {
      Add("a", i, 100 + i, Body(i));
      if (i % 3 == 0) Add("b", i, i % 2 ? 50 : 200 + i, "b copy " + std::to_string(i));
      if (i % 4 == 0) Add("later", i, 300 + i, Body(i + 1));  // fetched again: newer
      if (i % 4 == 1) Add("later", i, 100 + i, Body(i));      // the same as before
      if (i % 4 == 2) Add("later", i, 10, "older than the store's copy");
    }
    std::string cut = BuildSimpleCacheEntry(Parts(900, 1, "cut short"));
    WriteBytes(folder.path() / "b/cut_0", cut.substr(0, cut.size() - 5));
    SimpleEntryParts damaged = Parts(6, 500, "a newer copy whose body was damaged");
    std::string bytes = BuildSimpleCacheEntry(damaged);
    bytes[24 + damaged.key.size() + 3] ^= 0x20;
    WriteBytes(folder.path() / "b/damaged_0", bytes);
    SimpleEntryParts upload = Parts(901, 1, "posted");
    upload.key = "1/7/" + upload.key.substr(4);  // upload id 7
    WriteBytes(folder.path() / "b/upload_0", BuildSimpleCacheEntry(upload));
    first = ListEntryFiles(folder.path() / "a", IsAny);
    for (std::string& file : ListEntryFiles(folder.path() / "b", IsAny)) first.push_back(std::move(file));
    first.insert(first.begin() + 7, folder / "a/vanished_0");
    later = ListEntryFiles(folder.path() / "later", IsAny);
  }

  static bool IsAny(const std::string&) { return true; }

  // Every fifth body is sent gzip-encoded, every seventh claims gzip but is not.
  static std::string Body(int i) { return "page " + std::to_string(i) + std::string(i % 4, 'x'); }

  static SimpleEntryParts Parts(int page, uint64_t fetchedSeconds, std::string body) {
    SimpleEntryParts parts;
    parts.key = "1/0/_dk_http://a.test http://a.test http://a.test/" + std::to_string(page);
    parts.responseTime = 13340000000000000 + fetchedSeconds * 1000000;
    if (page % 5 == 0) {
      parts.body = GzipBytes(body);
      parts.headerLines.push_back("Content-Encoding: gzip");
    } else if (page % 7 == 0) {
      parts.body = std::move(body);
      parts.headerLines.push_back("Content-Encoding: gzip");
    } else {
      parts.body = std::move(body);
    }
    return parts;
  }

  void Add(const std::string& profile, int page, uint64_t fetchedSeconds, std::string body) {
    SimpleEntryParts parts = Parts(page, fetchedSeconds, std::move(body));
    WriteBytes(folder.path() / profile / SimpleCacheFileName(parts.key), BuildSimpleCacheEntry(parts));
  }
};

// All that an import left: the summary, the progress line and the store's entries in
// their order, with their files' contents.
std::string Describe(const ImportSummary& summary, const std::string& progress, cache::UrlCacheStore& store) {
  std::ostringstream out;
  PrintSummary(summary, out);
  out << "progress: " << progress << "\n";
  cache::WalkCache(store, "", [&](cache::CacheEntry& e) {
    out << e.sourceUrl << " type " << e.entryType << " uses " << e.useCount << " times " << e.lastModifiedTime << " "
        << e.expireTime << " " << e.lastAccessTime << " " << e.lastSyncTime << " size " << e.sizeLow << "\n"
        << e.headerInfo << files::ReadWholeFile(e.localFileName).value_or("(no file)") << "\n";
  });
  return out.str();
}

// Imports the first state, marks one entry sticky, then imports the later state.
std::pair<std::string, std::string> ImportBoth(const TwoProfiles& profiles, size_t parserThreads) {
  ScratchStore s;
  StoreOptions options{10, 7, 32 << 20, parserThreads};
  std::ostringstream progress;
  ImportSummary summary;
  EntryImporter importer(*s.store, summary, options);
  ImportEntryFiles(profiles.first, ParseSimpleCacheEntry, importer, progress);
  std::string first = Describe(summary, progress.str(), *s.store);

  cache::CacheEntry sticky;
  sticky.entryType = cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY;
  EXPECT_EQ(s.store->SetEntryInfo("http://a.test/4", sticky, cache::CACHE_ENTRY_ATTRIBUTE_FC), cache::STORE_OK);
  std::ostringstream laterProgress;
  ImportSummary laterSummary;
  EntryImporter laterImporter(*s.store, laterSummary, options);
  ImportEntryFiles(profiles.later, ParseSimpleCacheEntry, laterImporter, laterProgress);
  return {first, Describe(laterSummary, laterProgress.str(), *s.store)};
}

TEST(CacheImportTest, ParserThreadsChangeNothingInTheStoreOrTheSummary) {
  TwoProfiles profiles;
  auto [first, later] = ImportBoth(profiles, 0);
  // What one thread does, so that the comparisons below compare something.
  EXPECT_NE(first.find("Cache entries: 60 imported (60 new, 0 updated), 0 unchanged, 0 older than the store's "
                       "copy, 21 older copies of the same URL left out, 4 skipped\n"),
            std::string::npos)
      << first;
  // Every conversion counts, also of a copy that a newer one replaces later in the import.
  EXPECT_NE(first.find("  bodies decoded from their Content-Encoding: 14\n"), std::string::npos) << first;
  EXPECT_NE(first.find("  bodies kept encoded (could not be decoded): 8\n"), std::string::npos) << first;
  EXPECT_NE(first.find("  skipped 1: damaged entry file (body checksum mismatch)\n"), std::string::npos) << first;
  EXPECT_NE(first.find("  skipped 1: entry file could not be read\n"), std::string::npos) << first;
  EXPECT_NE(first.find("  skipped 1: response to a POST request\n"), std::string::npos) << first;
  EXPECT_NE(first.find("b copy 12\n"), std::string::npos) << "the newer copy of another partition wins";
  EXPECT_NE(first.find("b copy 6\n"), std::string::npos) << "a damaged newer copy leaves the intact one";
  EXPECT_EQ(first.find("b copy 9\n"), std::string::npos) << "an older copy of another partition loses";
  EXPECT_EQ(first.find("whose body was damaged"), std::string::npos) << "a damaged body never reaches the store";
  EXPECT_NE(later.find("Cache entries: 15 imported (0 new, 15 updated), 15 unchanged, 15 older than the store's"),
            std::string::npos)
      << later;
  EXPECT_NE(later.find("http://a.test/4 type " + std::to_string(cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY)),
            std::string::npos)
      << "the sticky mark survives the update";

  for (size_t threads : {1, 2, 5}) {
    auto [threadedFirst, threadedLater] = ImportBoth(profiles, threads);
    EXPECT_EQ(threadedFirst, first) << threads << " parser threads";
    EXPECT_EQ(threadedLater, later) << threads << " parser threads";
  }
}

// Entry files are opened through their folders; files of several folders in any order,
// and paths that take a detour, are all found.
TEST(CacheImportTest, FilesOfFoldersInAnyOrderAreAllRead) {
  TwoProfiles profiles;
  std::vector<std::string> mixed;
  for (size_t i = 0; i < profiles.later.size(); ++i) {
    mixed.push_back(profiles.later[i]);
    mixed.push_back(profiles.first[i]);
  }
  mixed.push_back(profiles.folder / ("a/../b/" + fs::path(profiles.first.back()).filename().string()));
  mixed.push_back(profiles.folder / "b/missing_0");
  for (size_t threads : {0, 2}) {
    ScratchStore s;
    ImportSummary summary;
    EntryImporter importer(*s.store, summary, StoreOptions{1000, 200, 32 << 20, threads});
    std::ostringstream progress;
    ImportEntryFiles(mixed, ParseSimpleCacheEntry, importer, progress);
    size_t seen = summary.entriesImported() + summary.entriesInOtherPartitions + Total(summary.entriesSkipped);
    EXPECT_EQ(seen, mixed.size()) << threads;
    EXPECT_EQ(summary.entriesSkipped["entry file could not be read"], 2u) << threads;  // vanished_0, missing_0
  }
}

// Regular files and links to them are listed in name order; folders, dangling links
// and names the filter refuses are not; a missing folder lists nothing.
TEST(CacheImportTest, ListingTakesRegularFilesAndLinksToThemInNameOrder) {
  testing::TempFolder folder;
  for (const char* name : {"c_0", "a_0", "b_0", "skip"}) WriteBytes(folder / name, "x");
  fs::create_directory(folder / "d_0");
  fs::create_symlink(folder / "a_0", folder / "e_0");
  fs::create_symlink(folder / "gone", folder / "f_0");
  auto entryName = [](const std::string& name) { return name.ends_with("_0"); };
  std::vector<std::string> names;
  for (const std::string& file : ListEntryFiles(folder.path(), entryName))
    names.push_back(fs::path(file).filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"a_0", "b_0", "c_0", "e_0"}));
  EXPECT_TRUE(ListEntryFiles(folder / "missing", entryName).empty());
}

}  // namespace

}  // namespace vantry::import

#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/CacheFolderFormat.h"
#include "import/CacheStorageEntry.h"
#include "import/FirefoxCacheEntry.h"
#include "import/ProfileImport.h"
#include "import/SimpleCacheEntry.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

using Parser = ParsedEntry (*)(const ByteSource&);

// Up to `count` entry files of a corpus folder, the gzip-encoded script among them.
std::vector<std::string> SampleFiles(const fs::path& folder, bool (*accept)(const std::string&), size_t count) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& item : fs::directory_iterator(folder, ec)) {
    if (!accept(item.path().filename().string())) continue;
    std::string bytes = files::ReadWholeFile(item.path()).value_or("");
    bool script = bytes.find("js/lib.js") != std::string::npos;
    if (script || files.size() < count) files.push_back(std::move(bytes));
  }
  return files;
}

void ExpectEveryTruncationRejected(const std::vector<std::string>& files, Parser parse) {
  ASSERT_FALSE(files.empty());
  for (const std::string& file : files) {
    ASSERT_TRUE(parse(StringByteSource(file)).entry) << "the whole file must parse";
    for (size_t length = 0; length < file.size(); ++length) {
      ParsedEntry parsed = parse(StringByteSource(std::string_view(file).substr(0, length)));
      EXPECT_FALSE(parsed.entry) << "truncated to " << length << " of " << file.size();
      EXPECT_FALSE(parsed.problem.empty());
    }
  }
}

// Flips random bits and overwrites random words; whatever parses must stay in bounds.
void FuzzMutations(const std::vector<std::string>& files, Parser parse) {
  std::mt19937 random(20261207);
  for (const std::string& original : files) {
    for (int round = 0; round < 2000; ++round) {
      std::string file = original;
      int edits = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < edits; ++i) {
        size_t pos = random() % file.size();
        if (random() % 2)
          file[pos] = static_cast<char>(file[pos] ^ (1 << (random() % 8)));
        else
          for (size_t j = pos; j < std::min(file.size(), pos + 4); ++j) file[j] = static_cast<char>(random());
      }
      ParsedEntry parsed = parse(StringByteSource(file));
      if (parsed.entry) {
        EXPECT_LE(parsed.entry->bodyOffset + parsed.entry->bodySize, file.size());
      }
    }
  }
}

TEST(DamagedEntryTest, EveryTruncationOfRealFirefoxEntriesIsRejected) {
  ExpectEveryTruncationRejected(SampleFiles(CorpusFolder() / "firefox/cache2/entries", IsFirefoxEntryFileName, 6),
                                ParseFirefoxCacheEntry);
}

TEST(DamagedEntryTest, EveryTruncationOfRealSimpleCacheEntriesIsRejected) {
  ExpectEveryTruncationRejected(
      SampleFiles(CorpusFolder() / "chromium/Default/Cache/Cache_Data", IsSimpleCacheEntryFileName, 6),
      ParseSimpleCacheEntry);
}

// The one cache folder of the real Service Worker sample.
fs::path RealServiceWorkerCache() {
  return ServiceWorkerCacheFolders(CorpusFolder() / "chromium-serviceworker/Service Worker").at(0);
}

TEST(DamagedEntryTest, EveryTruncationOfRealServiceWorkerEntriesIsRejected) {
  ExpectEveryTruncationRejected(SampleFiles(RealServiceWorkerCache(), IsSimpleCacheEntryFileName, 7),
                                ParseCacheStorageEntry);
}

TEST(DamagedEntryTest, RandomDamageNeverReadsOutOfBounds) {
  FirefoxEntryParts firefox;
  firefox.key = "O^partitionKey=%28http%2C127.0.0.1%29,:http://127.0.0.1/x";
  firefox.body = "0123456789";
  SimpleEntryParts simple;
  simple.key = "1/0/_dk_http://a.test http://a.test http://a.test/x";
  simple.body = "0123456789";
  FuzzMutations({BuildFirefoxEntry(firefox)}, ParseFirefoxCacheEntry);
  FuzzMutations({BuildSimpleCacheEntry(simple)}, ParseSimpleCacheEntry);
}

TEST(DamagedEntryTest, RandomDamageOfRealEntriesNeverReadsOutOfBounds) {
  FuzzMutations(SampleFiles(CorpusFolder() / "firefox/cache2/entries", IsFirefoxEntryFileName, 2),
                ParseFirefoxCacheEntry);
  FuzzMutations(SampleFiles(CorpusFolder() / "chromium/Default/Cache/Cache_Data", IsSimpleCacheEntryFileName, 2),
                ParseSimpleCacheEntry);
  FuzzMutations(SampleFiles(RealServiceWorkerCache(), IsSimpleCacheEntryFileName, 2), ParseCacheStorageEntry);
}

// A damaged file among good ones is skipped and counted; the good ones still arrive.
TEST(DamagedEntryTest, DamagedFilesAreSkippedAndCounted) {
  ScratchStore s;
  testing::TempFolder profile;
  fs::path entries = profile.path() / "cache2/entries";
  FirefoxEntryParts parts;
  for (int i = 0; i < 3; ++i) {
    parts.key = ":http://a.test/" + std::to_string(i);
    parts.body = "body " + std::to_string(i);
    WriteBytes(entries / FirefoxEntryFileName(parts.key), BuildFirefoxEntry(parts));
  }
  parts.key = ":http://a.test/cut";
  std::string cut = BuildFirefoxEntry(parts);
  WriteBytes(entries / FirefoxEntryFileName(parts.key), cut.substr(0, cut.size() - 3));
  parts.key = ":http://a.test/changed-body";
  std::string changed = BuildFirefoxEntry(parts);
  changed[0] ^= 1;
  WriteBytes(entries / FirefoxEntryFileName(parts.key), changed);
  WriteBytes(entries / "0000000000000000000000000000000000000000", "");
  FirefoxEntryParts internal;  // an internal page: no response, no web address
  internal.key = ":about:home";
  internal.responseHead.clear();
  WriteBytes(entries / FirefoxEntryFileName(internal.key), BuildFirefoxEntry(internal));
  FirefoxEntryParts predictor = internal;  // what the predictor keeps about a page: no response
  predictor.key = "~predictor-origin,:http://a.test/";
  predictor.extraElements = {{"predictor::seen", "1"}};
  WriteBytes(entries / FirefoxEntryFileName(predictor.key), BuildFirefoxEntry(predictor));
  std::ostringstream progress;
  ImportSummary summary = ImportFirefoxProfile(FirefoxProfileAt(profile.path(), HomeFolders{}), *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 3u);
  EXPECT_EQ(Total(summary.entriesSkipped), 5u);
  EXPECT_EQ(summary.entriesSkipped["not a web response"], 2u);
  EXPECT_EQ(summary.entriesSkipped["damaged entry file (body checksum mismatch)"], 1u);
  EXPECT_EQ(summary.entriesSkipped["damaged entry file (file too short)"], 1u);
  EXPECT_EQ(summary.problems.size(), 2u);  // no places.sqlite, no cookies.sqlite
}

}  // namespace

}  // namespace vantry::import

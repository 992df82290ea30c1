#include <sys/resource.h>

#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "files/WholeFile.h"
#include "import/ByteSource.h"
#include "import/CacheFolderImport.h"
#include "import/ProfileImport.h"
#include "import/RecordImport.h"
#include "import/SuperFastHash.h"
#include "import/tests/BlockfileWriter.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace fs = std::filesystem;

namespace vantry::import {
namespace {

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A file of `size` bytes that takes no room: all of it a hole.
void MakeSparseFile(const fs::path& file, uint64_t size) {
  WriteBytes(file, "");
  fs::resize_file(file, size);
}

// Entry files of 50 GB and 2 GB (sparse) among good ones, in each format: skipped and
// counted, read no further than their size, and the rest imports.
TEST(ImportLimitsTest, HugeEntriesAreSkippedWithoutTheirSizeInMemory) {
  testing::TempFolder folder;
  for (int i = 0; i < 3; ++i) {
    FirefoxEntryParts parts;
    parts.key = ":http://a.test/" + std::to_string(i);
    WriteBytes(folder / ("firefox/entries/" + FirefoxEntryFileName(parts.key)), BuildFirefoxEntry(parts));
  }
  MakeSparseFile(folder / "firefox/entries/0123456789ABCDEF0123456789ABCDEF01234567", 50ULL << 30);
  MakeSparseFile(folder / "simple/0123456789abcdef_0", 2ULL << 30);
  MakeSparseFile(folder / "simple/0123456789abcdee_0", (64ULL << 20) + 1);
  BlockfileWriter writer;
  BlockfileEntryParts parts;
  parts.key = "1/0/_dk_http://a.test http://a.test http://a.test/big";
  parts.body = std::string(20000, 'b');
  uint32_t address = writer.Add(parts);
  writer.Write(folder.path() / "blockfile");
  // The record says its body, in f_000001, takes 2 GiB less a byte.
  std::string blocks = files::ReadWholeFile(folder / "blockfile/data_1").value();
  std::string record = blocks.substr(8192 + (address & 0xFFFF) * 256, 256);
  record.replace(44, 4, "\xff\xff\xff\x7f");
  record.replace(92, 4, std::string(4, '\0'));
  uint32_t hash = SuperFastHash(std::string_view(record).substr(0, 92));
  for (int i = 0; i < 4; ++i) record[92 + i] = static_cast<char>(hash >> (8 * i));
  blocks.replace(8192 + (address & 0xFFFF) * 256, 256, record);
  WriteBytes(folder / "blockfile/data_1", blocks);
  MakeSparseFile(folder / "blockfile/f_000001", 2ULL << 30);

  const long peakBefore = PeakKilobytes();
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary;
  for (const char* cache : {"firefox", "simple", "blockfile"}) {
    ImportSummary one = ImportCacheFolder(folder.path() / cache, *s.store, progress);
    summary.entriesAdded += one.entriesAdded;
    for (const auto& [reason, count] : one.entriesSkipped) summary.entriesSkipped[reason] += count;
  }
  EXPECT_EQ(summary.entriesAdded, 3u);
  EXPECT_EQ(summary.entriesSkipped, (std::map<std::string, size_t>{{"entry larger than 64 MiB", 4}}));
  EXPECT_LT(PeakKilobytes() - peakBefore, 256 * 1024) << "kilobytes more at the peak";
}

// A NUL in an address would end the store's key early, where it reads as another
// page's address: such an address is refused, in the cache and in the history, and so
// is a cookie's domain with one.
TEST(ImportLimitsTest, AnAddressWithANulByteIsRefused) {
  testing::TempFolder profile;
  for (const std::string& url : {std::string("http://a.test/page"), std::string("http://a.test/page\0evil", 23)}) {
    FirefoxEntryParts parts;
    parts.key = ":" + url;
    parts.body = url.size() > 18 ? "forged" : "real";
    WriteBytes(profile / ("cache2/entries/" + FirefoxEntryFileName(parts.key)), BuildFirefoxEntry(parts));
  }
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportFirefoxProfile(FirefoxProfileAt(profile.path(), HomeFolders{}), *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 1u);
  EXPECT_EQ(summary.entriesSkipped["address with a NUL byte"], 1u);
  ImportVisits({{"http://a.test/page", 1, 1}, {std::string("http://a.test/page\0x", 20), 2, 1}}, *s.store, summary);
  EXPECT_EQ(summary.visitsImported, 1u);
  EXPECT_EQ(summary.visitsSkipped["address with a NUL byte"], 1u);
  cache::Cookie cookie{"n", "v", "a.test", "/", 0, 0, 0};
  cache::Cookie forged = cookie;
  forged.domain = std::string("a.test\0x", 8);
  ImportCookies({{forged, false}, {cookie, false}}, *s.store, summary);
  EXPECT_EQ(summary.cookiesImported, 1u);
  EXPECT_EQ(summary.cookiesSkipped["domain with a NUL byte"], 1u);
  size_t seen = 0;
  cache::WalkCache(*s.store, "", [&](cache::CacheEntry& e) {
    if (std::string(e.sourceUrl.c_str()).ends_with("http://a.test/page")) {
      ++seen;
      if (!(e.entryType & cache::URLHISTORY_CACHE_ENTRY)) {
        EXPECT_EQ(files::ReadWholeFile(e.localFileName), "real");
      }
    }
  });
  EXPECT_EQ(seen, 2u);  // the page and its visit
  size_t cookieFiles = 0;
  cache::WalkCache(*s.store, "Cookie:", [&](cache::CacheEntry&) { ++cookieFiles; });
  EXPECT_EQ(cookieFiles, 1u);
}

}  // namespace
}  // namespace vantry::import

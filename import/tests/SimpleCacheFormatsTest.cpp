#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "import/BrowserRecords.h"
#include "import/CacheFolderImport.h"
#include "import/SimpleCacheEntry.h"
#include "import/SimpleCacheIndex.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"
#include "import/tests/SyntheticRecords.h"

namespace fs = std::filesystem;

namespace vantry::import {
namespace {

SimpleEntryParts Parts(const std::string& page, bool unpadded) {
  SimpleEntryParts parts;
  parts.key = "1/0/_dk_http://a.test http://a.test http://a.test/" + page;
  parts.body = "body of " + page;
  parts.unpadded = unpadded;
  return parts;
}

// 32-bit x86 builds wrote 20-byte headers and end records; both layouts read alike.
TEST(SimpleCacheFormatsTest, UnpaddedAndPaddedEntryFilesReadAlike) {
  struct Case {
    bool unpadded;
    std::string body;
  } const cases[] = {{false, "abc"}, {true, "abc"}, {true, ""}, {true, std::string(70000, 'x')}};
  for (const Case& c : cases) {
    SimpleEntryParts parts = Parts("p", c.unpadded);
    parts.body = c.body;
    std::string file = BuildSimpleCacheEntry(parts);
    ParsedEntry parsed = ParseSimpleCacheEntry(StringByteSource(file));
    ASSERT_TRUE(parsed.entry) << parsed.problem;
    EXPECT_EQ(parsed.entry->url, "http://a.test/p");
    EXPECT_EQ(file.substr(parsed.entry->bodyOffset, parsed.entry->bodySize), c.body);
    EXPECT_TRUE(BodyMatchesChecks(*parsed.entry, c.body));
    EXPECT_EQ(parsed.entry->headers, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n");
  }
}

TEST(SimpleCacheFormatsTest, EveryTruncationOfAnUnpaddedEntryIsRejected) {
  std::string file = BuildSimpleCacheEntry(Parts("cut", true));
  for (size_t length = 0; length < file.size(); ++length) {
    ParsedEntry parsed = ParseSimpleCacheEntry(StringByteSource(std::string_view(file).substr(0, length)));
    EXPECT_FALSE(parsed.entry) << length;
    EXPECT_FALSE(parsed.problem.empty()) << length;
  }
}

// Every cache version from 5 to 9 reads; the real index, where it is, gives the last use
// (version 5 kept it beside the entries, later ones in index-dir/); where it is missing
// or damaged the entries still read, with their response times.
TEST(SimpleCacheFormatsTest, CacheVersionsAndTheirIndexesGiveLastUse) {
  const uint64_t kUsed = 13350000000000000;
  struct Case {
    uint32_t version;
    const char* realIndex;  // where, or "" for none
    bool damageIndex;
    bool lastUseKnown;
  } const cases[] = {
      {5, "the-real-index", false, true},           {6, "index-dir/the-real-index", false, true},
      {7, "index-dir/the-real-index", false, true}, {8, "index-dir/the-real-index", false, true},
      {9, "index-dir/the-real-index", false, true}, {9, "", false, false},
      {9, "index-dir/the-real-index", true, false},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    SimpleEntryParts parts = Parts("v", c.version == 5);
    std::string name = SimpleCacheFileName(parts.key);
    WriteBytes(folder / name, BuildSimpleCacheEntry(parts));
    WriteBytes(folder / "index", BuildSimpleCacheFakeIndex(c.version));
    if (*c.realIndex) {
      std::string index = BuildSimpleCacheRealIndex(c.version, {{*SimpleCacheEntryHash(name), kUsed}});
      if (c.damageIndex) index.back() ^= 1;
      WriteBytes(folder / c.realIndex, index);
    }
    ScratchStore s;
    std::ostringstream progress;
    ImportSummary summary = ImportCacheFolder(folder.path(), *s.store, progress);
    EXPECT_TRUE(summary.problems.empty()) << c.version;
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(*s.store, "http://a.test/v");
    ASSERT_TRUE(entry) << c.version;
    cache::FileTime expected = FileTimeFromWindowsMicroseconds(int64_t(c.lastUseKnown ? kUsed : parts.responseTime));
    EXPECT_EQ(entry->lastAccessTime, expected) << c.version << " " << c.realIndex;
  }
}

TEST(SimpleCacheFormatsTest, EveryTruncationOfTheIndexFilesGivesNothingOfThem) {
  testing::TempFolder folder;
  const std::string fake = BuildSimpleCacheFakeIndex(9);
  const std::string real = BuildSimpleCacheRealIndex(9, {{1, 13350000000000000}, {2, 13350000000000000}});
  for (size_t length = 0; length < real.size(); ++length) {
    WriteBytes(folder / "index", fake.substr(0, std::min(length, fake.size())));
    WriteBytes(folder / "index-dir/the-real-index", real.substr(0, length));
    SimpleCacheIndex index = ReadSimpleCacheIndex(folder.path());
    EXPECT_TRUE(index.lastUsed.empty()) << length;
    EXPECT_EQ(index.version.has_value(), length >= 12) << length;
  }
}

TEST(SimpleCacheFormatsTest, AVersionNotKnownIsNamedAndItsEntriesStillRead) {
  testing::TempFolder folder;
  SimpleEntryParts parts = Parts("x", false);
  WriteBytes(folder / SimpleCacheFileName(parts.key), BuildSimpleCacheEntry(parts));
  WriteBytes(folder / "index", BuildSimpleCacheFakeIndex(10));
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportCacheFolder(folder.path(), *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 1u);
  ASSERT_EQ(summary.problems.size(), 1u);
  EXPECT_EQ(summary.problems[0], folder.path().string() +
                                     ": Simple Cache version 10 is not known; its entry files were read as those "
                                     "of versions 5 to 9.");
}

}  // namespace
}  // namespace vantry::import

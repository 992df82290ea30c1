#include <map>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/BlockFile.h"
#include "import/BrowserRecords.h"
#include "import/ByteSource.h"
#include "import/CacheFolderImport.h"
#include "import/tests/BlockfileWriter.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace fs = std::filesystem;

namespace vantry::import {
namespace {

// What reading every entry of a cache folder gave, without a store.
struct FolderRead {
  std::vector<EntryRead> entries;
  std::map<std::string, size_t> skipped;
  std::vector<std::string> problems;

  const EntryRead* Find(const std::string& url) const {
    for (const EntryRead& read : entries)
      if (read.entry && read.entry->url == url) return &read;
    return nullptr;
  }
  size_t Read() const { return entries.size() - Total(skipped); }
};

FolderRead ReadFolder(const fs::path& folder) {
  FolderRead result;
  EntrySources sources;
  OpenCacheFolder(folder, sources, result.problems);
  for (const auto& source : sources) {
    for (size_t i = 0; i < source->Count(); ++i) {
      result.entries.push_back(source->Read(i));
      if (!result.entries.back().entry) ++result.skipped[result.entries.back().skipped];
    }
  }
  return result;
}

std::string Url(int page, size_t queryLength = 0) {
  return "http://a.test/" + std::to_string(page) + (queryLength ? "?" + std::string(queryLength, 'q') : "");
}

BlockfileEntryParts Parts(int page, size_t queryLength, size_t bodySize) {
  BlockfileEntryParts parts;
  parts.key = "1/0/_dk_http://a.test http://a.test " + Url(page, queryLength);
  for (size_t i = 0; parts.body.size() < bodySize; ++i) parts.body += static_cast<char>('a' + (page + i) % 26);
  parts.lastUsed = 13340000000200000 + uint64_t(page) * 1000000;
  parts.reuseCount = page % 3;
  return parts;
}

// Keys kept inside the record (1, 2 and 4 blocks), in blocks of their own and in a
// separate file; bodies in each block size, in a separate file, and none.
struct Layout {
  size_t queryLength, bodySize;
} const kLayouts[] = {{0, 100}, {300, 2000}, {850, 10000}, {1500, 0}, {17000, 40000}, {0, 16384}};

// A folder of one entry of each layout, in small block files that grow by 4 blocks.
void WriteEveryLayout(const fs::path& folder) {
  BlockfileWriter writer({0x30000, 64, 64, 4});
  for (int page = 0; page < int(std::size(kLayouts)); ++page)
    writer.Add(Parts(page, kLayouts[page].queryLength, kLayouts[page].bodySize));
  writer.Write(folder);
}

// The file and offset of a record in blocks.
std::pair<std::string, uint64_t> RecordPlace(uint32_t address) {
  static const uint64_t kSizes[] = {0, 36, 256, 1024, 4096};
  return {"data_" + std::to_string((address >> 16) & 0xFF), 8192 + (address & 0xFFFF) * kSizes[(address >> 28) & 7]};
}

void Overwrite(const fs::path& file, uint64_t offset, std::string_view bytes) {
  std::string content = files::ReadWholeFile(file).value();
  content.replace(offset, bytes.size(), bytes);
  WriteBytes(file, content);
}

TEST(BlockfileCacheTest, ReadsEveryLayoutOfKeysAndStreamsInEachVersion) {
  for (uint32_t version : {0x20000u, 0x20001u, 0x30000u}) {
    testing::TempFolder folder;
    BlockfileWriter writer({version});
    for (int page = 0; page < int(std::size(kLayouts)); ++page)
      writer.Add(Parts(page, kLayouts[page].queryLength, kLayouts[page].bodySize));
    writer.Write(folder.path());
    FolderRead read = ReadFolder(folder.path());
    EXPECT_TRUE(read.problems.empty()) << read.problems.front();
    ASSERT_EQ(read.Read(), std::size(kLayouts)) << std::hex << version;
    for (int page = 0; page < int(std::size(kLayouts)); ++page) {
      BlockfileEntryParts parts = Parts(page, kLayouts[page].queryLength, kLayouts[page].bodySize);
      const EntryRead* entry = read.Find(Url(page, kLayouts[page].queryLength));
      ASSERT_TRUE(entry) << page;
      EXPECT_EQ(entry->body, parts.body) << page;
      EXPECT_EQ(entry->entry->headers, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n");
      EXPECT_EQ(entry->entry->responseTime, FileTimeFromWindowsMicroseconds(13340000000100000));
      EXPECT_EQ(entry->entry->lastFetched, FileTimeFromWindowsMicroseconds(int64_t(parts.lastUsed))) << page;
      EXPECT_EQ(entry->entry->fetchCount, uint32_t(parts.reuseCount) + 1) << page;
    }
  }
}

// Entries the browser itself would not serve are counted with their reasons; so is an
// upload, which the importer refuses.
TEST(BlockfileCacheTest, EntriesTheBrowserWouldNotServeAreCountedWithTheirReasons) {
  struct Case {
    uint32_t state, flags;
    int32_t dirty;
    const char* reason;
  } const cases[] = {
      {1, 0, 0, "entry the browser had removed"},
      {2, 0, 0, "entry the browser had removed"},
      {0, 1, 0, "entry stored in pieces (sparse data)"},
      {0, 2, 0, "entry stored in pieces (sparse data)"},
      {0, 0, 7, "entry left open when the browser stopped"},
  };
  testing::TempFolder folder;
  BlockfileWriter writer;
  for (int i = 0; i < int(std::size(cases)); ++i) {
    BlockfileEntryParts parts = Parts(i, 0, 10);
    parts.state = cases[i].state;
    parts.flags = cases[i].flags;
    parts.dirty = cases[i].dirty;
    writer.Add(parts);
  }
  BlockfileEntryParts upload = Parts(9, 0, 10);
  upload.key = "1/3/_dk_http://a.test http://a.test http://a.test/form";
  writer.Add(upload);
  writer.Write(folder.path());
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportCacheFolder(folder.path(), *s.store, progress);
  std::map<std::string, size_t> expected{{"response to a POST request", 1}};
  for (const Case& c : cases) ++expected[c.reason];
  EXPECT_EQ(summary.entriesSkipped, expected);
  EXPECT_EQ(summary.entriesImported(), 0u);
}

// A table of four buckets makes long chains; small block files fill up and hand over
// to further files.
TEST(BlockfileCacheTest, FindsEntriesAlongHashChainsAndInFurtherBlockFiles) {
  testing::TempFolder folder;
  BlockfileWriter writer({0x30000, 4, 24});
  for (int page = 0; page < 40; ++page) writer.Add(Parts(page, page % 2 ? 300 : 0, 50 * page));
  writer.Write(folder.path());
  EXPECT_TRUE(fs::exists(folder.path() / "data_7"));
  FolderRead read = ReadFolder(folder.path());
  EXPECT_EQ(read.Read(), 40u);
  // Without the first rankings file only the chains lead to the entries it served.
  fs::remove(folder.path() / "data_0");
  read = ReadFolder(folder.path());
  EXPECT_EQ(read.entries.size(), 40u);
  EXPECT_EQ(read.skipped["damaged entry (rankings record: data_0 missing)"], 24u);
  EXPECT_EQ(read.Read(), 16u);
}

TEST(BlockfileCacheTest, DamageIsCountedWithItsReason) {
  struct Case {
    const char* reason;
    std::function<void(const fs::path&, uint32_t entry, uint32_t rankings, uint32_t body)> damage;
    size_t entries = 2;
  } const cases[] = {
      {"damaged entry (entry record checksum mismatch)",
       [](const fs::path& f, uint32_t entry, uint32_t, uint32_t) {
         auto [file, at] = RecordPlace(entry);
         Overwrite(f / file, at + 12, "\x09");  // the use count, under the record's hash
       }},
      {"damaged entry (key hash mismatch)",
       [](const fs::path& f, uint32_t entry, uint32_t, uint32_t) {
         auto [file, at] = RecordPlace(entry);
         Overwrite(f / file, at + 100, "X");
       }},
      {"damaged entry (rankings record of another entry)",
       [](const fs::path& f, uint32_t, uint32_t rankings, uint32_t) {
         auto [file, at] = RecordPlace(rankings);
         // Another record's address, and no hash of its own to check.
         Overwrite(f / file, at + 24, std::string("\x05\x00\x01\xa0\0\0\0\0\0\0\0\0", 12));
       },
       3},  // the record it names now is no entry: counted too
      {"damaged entry (body: free blocks of data_2)",
       [](const fs::path& f, uint32_t, uint32_t, uint32_t body) {
         Overwrite(f / "data_2", 80 + (body & 0xFFFF) / 8, std::string(1, '\0'));
       }},
      {"damaged entry (body: data_2 missing)",
       [](const fs::path& f, uint32_t, uint32_t, uint32_t) { fs::remove(f / "data_2"); }},
      {"damaged entry (key: f_000001 cut short)",
       [](const fs::path& f, uint32_t, uint32_t, uint32_t) { fs::resize_file(f / "f_000001", 100); }},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    BlockfileWriter writer;
    BlockfileEntryParts parts = Parts(1, 0, 2000);
    uint32_t entry = writer.Add(parts);
    writer.Add(Parts(2, 17000, 10));  // its key is in f_000001
    writer.Write(folder.path());
    std::string record =
        files::ReadWholeFile(folder / RecordPlace(entry).first).value().substr(RecordPlace(entry).second, 256);
    c.damage(folder.path(), entry, LittleEndian32(record, 8), LittleEndian32(record, 60));
    FolderRead read = ReadFolder(folder.path());
    EXPECT_EQ(read.skipped[c.reason], 1u) << c.reason;
    EXPECT_EQ(read.entries.size(), c.entries) << c.reason;
  }
}

TEST(BlockfileCacheTest, AVersionNotKnownIsNamed) {
  testing::TempFolder folder;
  BlockfileWriter writer({0x40000});
  writer.Add(Parts(1, 0, 10));
  writer.Write(folder.path());
  FolderRead read = ReadFolder(folder.path());
  EXPECT_TRUE(read.entries.empty());
  ASSERT_EQ(read.problems.size(), 1u);
  EXPECT_EQ(read.problems[0], folder.path().string() + ": blockfile cache version 4.0 is not known.");
}

// Each file cut at each length, from the longest down: no entry is lost from the count.
// Within a block file's 8 KiB header and a separate file every cut reads alike (the part
// does not read), so there every 61st length is enough; the index and the blocks are
// cut everywhere.
TEST(BlockfileCacheTest, EveryTruncationOfEachFileLosesNoEntryFromTheCount) {
  testing::TempFolder folder;
  WriteEveryLayout(folder.path());
  for (const auto& item : fs::directory_iterator(folder.path())) {
    const fs::path file = item.path();
    const std::string whole = files::ReadWholeFile(file).value();
    const bool blockFile = file.filename().string().starts_with("data_");
    const bool separateFile = file.filename().string().starts_with("f_");
    for (size_t length = whole.size(); length-- > 0;) {
      bool sameAsNeighbours =
          (blockFile && length > 16 && length < 8180) || (separateFile && length + 16 < whole.size());
      if (sameAsNeighbours && length % 61 != 0) continue;
      fs::resize_file(file, length);
      FolderRead read = ReadFolder(folder.path());
      ASSERT_EQ(read.entries.size(), std::size(kLayouts)) << file.filename() << " cut to " << length;
      for (const EntryRead& entry : read.entries) ASSERT_TRUE(entry.entry || !entry.skipped.empty());
      // The rankings records find every entry that the index no longer leads to.
      if (file.filename() == "index") {
        ASSERT_EQ(read.Read(), std::size(kLayouts)) << length;
      }
    }
    WriteBytes(file, whole);
  }
}

// Random bytes of the index, the rankings and the entry records changed: whatever reads
// is counted, nothing reads out of bounds.
TEST(BlockfileCacheTest, RandomDamageIsCountedAndNeverReadsOutOfBounds) {
  testing::TempFolder folder;
  WriteEveryLayout(folder.path());
  std::map<std::string, std::string> originals;
  for (const char* name : {"index", "data_0", "data_1"}) originals[name] = files::ReadWholeFile(folder / name).value();
  std::mt19937 random(20261207);
  for (int round = 0; round < 300; ++round) {
    for (const auto& [name, original] : originals) {
      std::string bytes = original;
      // The index's table and the block files' records lie past their headers.
      size_t from = name == "index" ? 0 : 8192;
      for (int edit = 0; edit < 3; ++edit) bytes[from + random() % (bytes.size() - from)] = static_cast<char>(random());
      WriteBytes(folder / name, bytes);
    }
    FolderRead read = ReadFolder(folder.path());
    for (const EntryRead& entry : read.entries) {
      ASSERT_TRUE(entry.entry || !entry.skipped.empty());
      ASSERT_LE(entry.body.size(), 40000u);
    }
  }
}

// A block file held in memory reads as it does from the file: the same bytes and the
// same problems, also for blocks past the end, free ones and a file cut in its last block.
TEST(BlockfileCacheTest, BlocksReadAlikeHeldInMemoryOrFromTheFile) {
  testing::TempFolder folder;
  WriteEveryLayout(folder.path());
  cache::OpenFolder open(folder.path());
  for (const char* name : {"data_1", "data_2", "data_3"}) {
    fs::resize_file(folder / name, fs::file_size(folder / name) - 100);
    BlockFile fromFile(name, open.fd()), held(name, open.fd());
    ASSERT_TRUE(held.Hold()) << name;
    const uint64_t blockSize = held.blockSize();
    for (uint32_t start = 0; start < held.maxBlocks() + 2; ++start) {
      for (uint32_t count = 1; count <= 4; ++count) {
        for (uint64_t offset : {uint64_t(0), uint64_t(100)}) {
          for (uint64_t length : {uint64_t(1), count * blockSize - offset, count * blockSize - offset + 1}) {
            std::string fileBytes, heldBytes;
            std::string problem = fromFile.ReadBlocks(start, count, offset, length, fileBytes);
            ASSERT_EQ(held.ReadBlocks(start, count, offset, length, heldBytes), problem)
                << name << " " << start << " " << count << " " << offset << " " << length;
            if (problem.empty()) {
              ASSERT_EQ(heldBytes, fileBytes);
            }
          }
        }
      }
    }
  }
}

TEST(BlockfileCacheTest, RealCacheOfChromiumImportsEveryEntry) {
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportCacheFolder(CorpusFolder() / "chromium-blockfile/Cache_Data", *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 344u);
  EXPECT_EQ(Total(summary.entriesSkipped), 0u);
  EXPECT_TRUE(summary.problems.empty()) << summary.problems.front();
  auto body = [&](const std::string& url) { return StoredBody(*s.store, url); };
  auto site = [](const std::string& file) {
    return files::ReadWholeFile(CorpusFolder() / "site" / file).value_or("<none>");
  };
  EXPECT_EQ(body("http://127.0.0.1:8081/js/lib.js"), site("port8081/js/lib.js"));  // sent gzip-encoded
  EXPECT_EQ(body("http://127.0.0.1:8081/many.html"), site("port8081/many.html"));  // in a separate file
  // Keys in blocks of their own and in a separate file.
  EXPECT_EQ(body("http://127.0.0.1:8081/readme.txt?long=" + std::string(1000, 'k')), site("port8081/readme.txt"));
  EXPECT_EQ(body("http://127.0.0.1:8081/readme.txt?huge=" + std::string(17000, 'h')), site("port8081/readme.txt"));
  std::optional<cache::CacheEntry> moved = cache::LookupEntry(*s.store, "http://127.0.0.1:8081/old-page.asp");
  ASSERT_TRUE(moved);
  EXPECT_TRUE(cache::HeaderText(*moved).starts_with("HTTP/1.1 301 "));
  // The home page was used again in the second session.
  std::optional<cache::CacheEntry> home = cache::LookupEntry(*s.store, "http://127.0.0.1:8081/");
  ASSERT_TRUE(home);
  EXPECT_GE(home->useCount, 2u);
  EXPECT_GT(home->lastAccessTime, home->lastSyncTime);
}

}  // namespace
}  // namespace vantry::import

#include "import/CacheStorageEntry.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "import/BrowserRecords.h"
#include "import/CacheFolderImport.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"
#include "import/tests/SyntheticRecords.h"

namespace vantry::import {
namespace {

std::string Entry(const std::string& url, const CacheStorageParts& record, const std::string& body) {
  SimpleEntryParts parts;
  parts.key = url;
  parts.body = body;
  parts.stream0 = CacheStorageRecord(record);
  return BuildSimpleCacheEntry(parts);
}

TEST(CacheStorageEntryTest, ReadsTheResponseRecord) {
  CacheStorageParts record;
  record.headers = {{"Content-Type", "text/css"}, {"Content-Encoding", "gzip"}, {"Cache-Control", "max-age=60"}};
  std::string file = Entry("https://a.test/app.css", record, "body { }");
  ParsedEntry parsed = ParseCacheStorageEntry(StringByteSource(file));
  ASSERT_TRUE(parsed.entry) << parsed.problem;
  const ImportedEntry& e = *parsed.entry;
  EXPECT_EQ(e.url, "https://a.test/app.css");
  EXPECT_EQ(e.method, "GET");
  EXPECT_EQ(e.headers,
            "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\nContent-Encoding: gzip\r\nCache-Control: "
            "max-age=60\r\n\r\n");
  EXPECT_TRUE(e.bodyDecoded) << "the page stored the body as it read it";
  EXPECT_EQ(e.responseTime, FileTimeFromWindowsMicroseconds(int64_t(record.responseTime)));
  EXPECT_EQ(e.lastFetched, FileTimeFromWindowsMicroseconds(int64_t(record.entryTime)));
  EXPECT_EQ(e.expires, e.responseTime + 60 * cache::kFileTimeTicksPerSecond);
  EXPECT_EQ(file.substr(e.bodyOffset, e.bodySize), "body { }");
}

TEST(CacheStorageEntryTest, DamagedRecordsAreReportedAndNeverTrusted) {
  CacheStorageParts noStatus;
  noStatus.status = 0;
  struct Case {
    std::string stream0;
    const char* problem;
  } const cases[] = {
      {CacheStorageRecord(noStatus), "response record damaged"},
      {CacheStorageRecord({}).substr(0, 20), "response record damaged"},        // a field cut off
      {std::string("\x0b\x01", 2), "response record damaged"},                  // a group: not in these records
      {std::string("\x12\xff\xff\xff\xff\x0f", 6), "response record damaged"},  // longer than the record
      {"", "response record damaged"},
  };
  for (const Case& c : cases) {
    SimpleEntryParts parts;
    parts.key = "https://a.test/x";
    parts.stream0 = c.stream0.empty() ? std::string(1, '\0') : c.stream0;
    ParsedEntry parsed = ParseCacheStorageEntry(StringByteSource(BuildSimpleCacheEntry(parts)));
    EXPECT_FALSE(parsed.entry);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

// A site's Service Worker cache as Chromium wrote it: the pages the worker put there at
// its installation, a response the page made itself, and a redirect's target kept under
// the address that was asked for.
TEST(CacheStorageEntryTest, RealServiceWorkerCacheImportsUnderTheRequestedAddresses) {
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary =
      ImportCacheFolder(CorpusFolder() / "chromium-serviceworker/Service Worker", *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 7u);
  EXPECT_EQ(Total(summary.entriesSkipped), 0u);
  EXPECT_TRUE(summary.problems.empty()) << summary.problems.front();
  auto body = [&](const std::string& url) { return StoredBody(*s.store, url); };
  std::string lib;
  for (int i = 0; i < 20; ++i) lib += "function add(a, b) { return a + b; }\n";
  EXPECT_EQ(body("http://127.0.0.1:8090/lib.js"), lib);  // sent gzip-encoded
  std::optional<cache::CacheEntry> script = cache::LookupEntry(*s.store, "http://127.0.0.1:8090/lib.js");
  ASSERT_TRUE(script);
  EXPECT_NE(cache::HeaderText(*script).find("Original-Content-Encoding: gzip\r\n"), std::string::npos);
  EXPECT_EQ(body("http://127.0.0.1:8090/made-by-page"), "made by the page");
  EXPECT_EQ(body("http://127.0.0.1:8090/moved"), body("http://127.0.0.1:8090/page.html"));
  EXPECT_EQ(body("http://127.0.0.1:8090/data.json"), "{\"cached\": true, \"items\": [1, 2, 3]}\n");
}

}  // namespace
}  // namespace vantry::import

#include "import/FirefoxCacheEntry.h"

#include <gtest/gtest.h>

#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace {

const char kKey[] = "O^partitionKey=%28http%2C127.0.0.1%29,:http://127.0.0.1:8081/style.css";

ParsedEntry Parse(const std::string& bytes) { return ParseFirefoxCacheEntry(StringByteSource(bytes)); }

TEST(FirefoxCacheEntryTest, ReadsHeaderWordsKeyAndResponseHead) {
  FirefoxEntryParts parts;
  parts.key = kKey;
  parts.body = "body { color: red }";
  parts.responseHead = "HTTP/1.1 200 OK\r\nContent-Type: text/css\r\nETag: \"1\"\r\n\r\n";
  parts.fetchCount = 7;
  parts.lastFetched = 1796629601;
  parts.lastModified = 1796629500;
  parts.expiration = 1796715882;
  std::string file = BuildFirefoxEntry(parts);
  ParsedEntry parsed = Parse(file);
  ASSERT_TRUE(parsed.entry) << parsed.problem;
  const ImportedEntry& e = *parsed.entry;
  EXPECT_EQ(e.url, "http://127.0.0.1:8081/style.css");
  EXPECT_EQ(e.headers, parts.responseHead);
  EXPECT_EQ(e.fetchCount, 7u);
  EXPECT_EQ(e.lastFetched, cache::FileTimeFromUnixSeconds(1796629601));
  EXPECT_EQ(e.lastModified, cache::FileTimeFromUnixSeconds(1796629500));
  EXPECT_EQ(e.responseTime, e.lastModified);
  EXPECT_EQ(e.expires, cache::FileTimeFromUnixSeconds(1796715882));
  EXPECT_FALSE(e.pinned);
  EXPECT_EQ(file.substr(e.bodyOffset, e.bodySize), parts.body);
  EXPECT_TRUE(BodyMatchesChecks(e, parts.body));
  EXPECT_FALSE(BodyMatchesChecks(e, "body { color: blue }"));
}

TEST(FirefoxCacheEntryTest, TrailerFormsFlagsAndSpecialTimes) {
  struct Case {
    bool olderTrailer;
    uint32_t flags, lastFetched, expiration;
    bool pinned;
    cache::FileTime lastAccess, expires;
  } cases[] = {
      {false, 0, 1700000000, 1700000100, false, cache::FileTimeFromUnixSeconds(1700000000),
       cache::FileTimeFromUnixSeconds(1700000100)},
      {true, 0, 1700000000, 1700000100, false, cache::FileTimeFromUnixSeconds(1700000000),
       cache::FileTimeFromUnixSeconds(1700000100)},
      {false, 1, 1700000000, 0xFFFFFFFF, true, cache::FileTimeFromUnixSeconds(1700000000),
       cache::FileTimeFromUnixSeconds(0xFFFFFFFF)},
      {false, 0, 0, 0, false, 0, 0},  // a re-fetched 404: times unknown
  };
  for (const Case& c : cases) {
    FirefoxEntryParts parts;
    parts.key = kKey;
    parts.body = "x";
    parts.olderTrailer = c.olderTrailer;
    parts.flags = c.flags;
    parts.lastFetched = c.lastFetched;
    parts.expiration = c.expiration;
    ParsedEntry parsed = Parse(BuildFirefoxEntry(parts));
    ASSERT_TRUE(parsed.entry) << parsed.problem;
    EXPECT_EQ(parsed.entry->pinned, c.pinned);
    EXPECT_EQ(parsed.entry->lastFetched, c.lastAccess);
    EXPECT_EQ(parsed.entry->expires, c.expires);
    EXPECT_EQ(parsed.entry->bodySize, 1u);
  }
}

TEST(FirefoxCacheEntryTest, AlternativeDataIsNotPartOfTheBody) {
  FirefoxEntryParts parts;
  parts.key = kKey;
  parts.body = "var a = 1;BYTECODE";
  parts.extraElements = {{"alt-data", "1;10,javascript/moz-script-bytecode"}};
  ParsedEntry parsed = Parse(BuildFirefoxEntry(parts));
  ASSERT_TRUE(parsed.entry) << parsed.problem;
  EXPECT_EQ(parsed.entry->bodySize, 10u);
  EXPECT_TRUE(BodyMatchesChecks(*parsed.entry, "var a = 1;"));
}

TEST(FirefoxCacheEntryTest, BodiesOfSeveralChunksAreCheckedChunkByChunk) {
  FirefoxEntryParts parts;
  parts.key = kKey;
  parts.body = std::string(600 * 1024, 'a');
  ParsedEntry parsed = Parse(BuildFirefoxEntry(parts));
  ASSERT_TRUE(parsed.entry) << parsed.problem;
  EXPECT_EQ(parsed.entry->bodyChunkHashes.size(), 3u);
  EXPECT_TRUE(BodyMatchesChecks(*parsed.entry, parts.body));
  std::string changed = parts.body;
  changed[300 * 1024] = 'b';
  EXPECT_FALSE(BodyMatchesChecks(*parsed.entry, changed));
  EXPECT_FALSE(BodyMatchesChecks(*parsed.entry, parts.body.substr(0, 500 * 1024)));
}

TEST(FirefoxCacheEntryTest, DamageIsReportedWithItsReason) {
  FirefoxEntryParts parts;
  parts.key = kKey;
  parts.body = "hello";
  std::string good = BuildFirefoxEntry(parts);
  std::string flipped = good;
  flipped[parts.body.size() + 40] ^= 0x20;  // inside the header words
  std::string encrypted = good;
  encrypted[encrypted.size() - 4] |= char(0x80);
  std::string pastEnd = good;
  pastEnd[pastEnd.size() - 2] = char(0x7f);
  FirefoxEntryParts noUrl = parts;
  noUrl.key = "a,b,";
  struct Case {
    std::string bytes;
    const char* problem;
  } cases[] = {
      {flipped, "metadata hash mismatch"},
      {encrypted, "encrypted entry"},
      {pastEnd, "metadata offset past the end of the file"},
      {"short", "file too short"},
      {BuildFirefoxEntry(noUrl), "key without a URL"},
  };
  for (const Case& c : cases) {
    ParsedEntry parsed = Parse(c.bytes);
    EXPECT_FALSE(parsed.entry);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

}  // namespace

}  // namespace vantry::import

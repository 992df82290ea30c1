#include "import/SimpleCacheEntry.h"

#include <gtest/gtest.h>

#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace {

ParsedEntry Parse(const std::string& bytes) { return ParseSimpleCacheEntry(StringByteSource(bytes)); }

TEST(SimpleCacheEntryTest, ReadsKeyTimesHeadersAndBodyPlace) {
  SimpleEntryParts parts;
  parts.key = "1/0/_dk_http://127.0.0.1 http://127.0.0.1 http://127.0.0.1:8081/readme.txt";
  parts.body = "plain text\n";
  parts.headerLines = {"HTTP/1.1 200 OK", "Content-Type: text/plain", "Cache-Control: public, max-age=86400"};
  parts.responseTime = 13441103230430642;
  std::string file = BuildSimpleCacheEntry(parts);
  ParsedEntry parsed = Parse(file);
  ASSERT_TRUE(parsed.entry) << parsed.problem;
  const ImportedEntry& e = *parsed.entry;
  EXPECT_EQ(e.url, "http://127.0.0.1:8081/readme.txt");
  EXPECT_EQ(e.headers, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nCache-Control: public, max-age=86400\r\n\r\n");
  EXPECT_EQ(e.responseTime, 134411032304306420ULL);
  EXPECT_EQ(e.lastFetched, e.responseTime);
  EXPECT_EQ(e.expires, e.responseTime + 86400ULL * 10000000);
  EXPECT_EQ(e.fetchCount, 1u);
  EXPECT_EQ(file.substr(e.bodyOffset, e.bodySize), parts.body);
  EXPECT_TRUE(BodyMatchesChecks(e, parts.body));
  EXPECT_FALSE(BodyMatchesChecks(e, "plain text!"));
}

TEST(SimpleCacheEntryTest, EmptyBodyOfARedirect) {
  SimpleEntryParts parts;
  parts.key = "1/0/_dk_http://a.test http://a.test http://a.test/old";
  parts.headerLines = {"HTTP/1.1 301 Moved Permanently", "Location: /new"};
  ParsedEntry parsed = Parse(BuildSimpleCacheEntry(parts));
  ASSERT_TRUE(parsed.entry) << parsed.problem;
  EXPECT_EQ(parsed.entry->bodySize, 0u);
  EXPECT_TRUE(BodyMatchesChecks(*parsed.entry, ""));
}

TEST(SimpleCacheEntryTest, DamageIsReportedWithItsReason) {
  SimpleEntryParts parts;
  parts.key = "1/0/_dk_http://a.test http://a.test http://a.test/x";
  parts.body = "abc";
  std::string good = BuildSimpleCacheEntry(parts);
  std::string badMagic = good;
  badMagic[0] = 'X';
  std::string badVersion = good;
  badVersion[8] = 9;
  std::string badInfo = good;
  badInfo[good.size() - 24 - 32 - 20] ^= 1;  // a byte of the pickled response info
  std::string noEnd = good.substr(0, good.size() - 1);
  struct Case {
    std::string bytes;
    const char* problem;
  } cases[] = {
      {badMagic, "not a Simple Cache entry"},
      {badVersion, "unknown entry version 9"},
      {badInfo, "response info checksum mismatch"},
      {noEnd, "no end record"},
      {"", "file too short"},
  };
  for (const Case& c : cases) {
    ParsedEntry parsed = Parse(c.bytes);
    EXPECT_FALSE(parsed.entry);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

}  // namespace

}  // namespace vantry::import

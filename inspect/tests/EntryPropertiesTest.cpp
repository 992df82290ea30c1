#include "inspect/EntryProperties.h"

#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

namespace vantry::inspect {

namespace {

cache::FileTime Utc(int64_t unixSeconds) { return cache::FileTimeFromUnixSeconds(unixSeconds); }

std::vector<std::string> Headers(std::string_view bytes, Notices* notices = nullptr) {
  Notices ignored;
  return DecodeHeaderLines(bytes, notices ? *notices : ignored);
}

TEST(EntryTypeText, FlagsAppearInFixedOrder) {
  struct Row {
    uint32_t type;
    const char* expected;
  } rows[] = {
      {0x00000001, " Normal cache entry "},
      {0x00200001, " Normal cache entry  History cache entry "},
      {0x00000008, "!!!! NEW Cache Entry Type !!!! "},
      {0x00000000, "!!!! NEW Cache Entry Type !!!! "},
      {0x00100000, " Cookie cache entry "},
      {0x00000074,
       " Track offline cache entry  Track Online cache entry  Sticky cache entry "
       " Undocumented Gif cache entry "},
      {0x00010000, " Sparse cache entry "},
      {0x00310075,
       " Normal cache entry  Cookie cache entry  History cache entry  Track offline cache entry "
       " Track Online cache entry  Sticky cache entry  Sparse cache entry  Undocumented Gif cache entry "},
  };
  for (const Row& row : rows) EXPECT_EQ(EntryTypeText(row.type), row.expected) << std::hex << row.type;
}

TEST(FormatEntryDate, LongEnglishDateOrEmptyOutsideTheShownSpan) {
  struct Row {
    cache::FileTime time;
    const char* expected;
  } rows[] = {
      {Utc(1009809012), "Monday, 31. December 2001"},
      {Utc(0), "Thursday, 01. January 1970"},
      {Utc(951782400), "Tuesday, 29. February 2000"},
      {Utc(0x7FFFFFFF), "Tuesday, 19. January 2038"},
      {Utc(0x80000000LL), ""},
      {Utc(-1), ""},
      {0, ""},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatEntryDate(row.time, UtcCalendarTime), row.expected) << row.time;
}

TEST(FormatEntryDate, LocalTimeFollowsTheTimeZone) {
  const char* saved = std::getenv("TZ");
  std::string previous = saved ? saved : "";
  setenv("TZ", "America/New_York", 1);
  // 03:00 UTC on the 1st is still the evening before in New York.
  EXPECT_EQ(FormatEntryDate(Utc(1009854000)), "Monday, 31. December 2001");
  setenv("TZ", "Asia/Tokyo", 1);
  EXPECT_EQ(FormatEntryDate(Utc(1009854000)), "Tuesday, 01. January 2002");
  if (saved)
    setenv("TZ", previous.c_str(), 1);
  else
    unsetenv("TZ");
}

TEST(DecodeHeaderLines, LineEndsAndSeparators) {
  struct Row {
    std::string bytes;
    std::vector<std::string> expected;
  } rows[] = {
      {"", {}},
      {"HTTP/1.1 200 OK\r\nA: b\r\nC: d\r\n\r\n", {"HTTP/1.1 200 OK", "A: b", "C: d", ""}},
      // The last byte is the block's terminator.
      {std::string("X: y\r\n\0", 7), {"X: y"}},
      // A NUL ends the text even before the last byte.
      {std::string("X: y\r\n\0Z: w\r\n\r\n", 15), {"X: y"}},
      // Text after the last separator does not show.
      {"one\r\ntail!", {"one"}},
      // Single line feeds lose the first character of every later line.
      {"ab\ncd\nef\nX", {"ab", "d", "f"}},
      // A separator at position 1 never ends a line; the next line starts two bytes on.
      {"a\r\nbc\r\nX", {"a\r", "c"}},
      // Bytes of 128 and above are separators.
      {"caf\xe9ok\r\nX", {"caf", "k"}},
  };
  for (const Row& row : rows) EXPECT_EQ(Headers(row.bytes), row.expected) << row.bytes;
}

TEST(DecodeHeaderLines, LongLinesAreCutButTheNextLineStartsAfterTheBreak) {
  std::string header = std::string(300, 'x') + "\r\nNext: 1\r\n\r\n";
  std::vector<std::string> lines = Headers(header);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(255, 'x'));
  EXPECT_EQ(lines[1], "Next: 1");
}

TEST(DecodeHeaderLines, EightLinesAndOneNoticePerExtraLineEnd) {
  std::string header;
  for (int i = 0; i < 11; ++i) header += "H" + std::to_string(i) + ": v\r\n";
  header += "Z";
  Notices notices;
  std::vector<std::string> lines = Headers(header, &notices);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[7], "H7: v");
  EXPECT_EQ(notices, Notices(3, Notice{"Too many Entries in Header !", "Decode Header"}));
}

TEST(DecodeHeaderLines, OnlyTheFirstThousandCharactersAreDecoded) {
  std::string first = std::string(990, 'a') + "\r\n";           // ends at 990
  std::string header = first + "bbbbbbbbbbbbbbbbbbbb\r\n\r\n";  // ends past 1000
  std::vector<std::string> lines = Headers(header);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 255u);
}

TEST(DecodeHeaderLines, ArbitraryBytesStayWithinTheLimits) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 1500, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? random() % 32 : random() % 256);
    Notices notices;
    std::vector<std::string> lines = DecodeHeaderLines(bytes, notices);
    ASSERT_LE(lines.size(), 8u);
    for (const std::string& line : lines) ASSERT_LE(line.size(), 255u);
    ASSERT_TRUE(notices.empty() || lines.size() == 8u);
  }
}

cache::CacheEntry SampleEntry() {
  cache::CacheEntry entry;
  entry.sourceUrl = "http://example.com/a.html";
  entry.localFileName = "/store/content/c1/a.html";
  entry.fileExtension = "html";
  entry.entryType = 0x00200001;
  entry.useCount = 3;
  entry.hitRate = 0xFFFFFFFF;
  entry.sizeLow = 1234;
  entry.lastModifiedTime = Utc(1009809012);
  entry.lastAccessTime = Utc(1009809012);
  entry.lastSyncTime = Utc(0);
  entry.headerInfo = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";
  return entry;
}

TEST(EntryPropertyLines, ElevenFieldLinesThenTheHeader) {
  Notices notices;
  std::vector<std::string> lines = EntryPropertyLines(SampleEntry(), notices, UtcCalendarTime);
  std::vector<std::string> expected = {
      "SourceUrlName: http://example.com/a.html",
      "LocalFileName: /store/content/c1/a.html",
      "FileExtension: html",
      "CacheEntryType: 200001 :  Normal cache entry  History cache entry ",
      "UseCount: 3",
      "Hit Rate: -1",
      "File Size: 1234",
      "Last Modified: Monday, 31. December 2001",
      "Expire Date: ",
      "Last Access: Monday, 31. December 2001",
      "Last Synchronized: Thursday, 01. January 1970",
      "HTTP/1.0 200 OK",
      "Content-Type: text/html",
      "",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(notices.empty());
}

TEST(EntryPropertyLines, SizesAndEmptyRecords) {
  struct Row {
    uint32_t low, high;
    const char* expected;
  } rows[] = {
      {5, 1, "File Size: 5and Bigger!!"},
      {0x80000000u, 0, "File Size: -2147483648"},
      {0xFFFFFFFFu, 2, "File Size: -1and Bigger!!"},
      {0, 0, "File Size: 0"},
  };
  for (const Row& row : rows) {
    cache::CacheEntry entry;
    entry.sizeLow = row.low;
    entry.sizeHigh = row.high;
    Notices notices;
    std::vector<std::string> lines = EntryPropertyLines(entry, notices, UtcCalendarTime);
    ASSERT_EQ(lines.size(), 11u);  // no header info: no header lines
    EXPECT_EQ(lines[6], row.expected);
    EXPECT_EQ(lines[0], "SourceUrlName: ");
    EXPECT_EQ(lines[3], "CacheEntryType: 0 : !!!! NEW Cache Entry Type !!!! ");
  }
}

}  // namespace

}  // namespace vantry::inspect

#include "inspect/EntryProperties.h"

#include <algorithm>
#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "inspect/tests/BrowserSamples.h"

namespace vantry::inspect {

namespace {

cache::FileTime Utc(int64_t unixSeconds) { return cache::FileTimeFromUnixSeconds(unixSeconds); }

std::vector<std::string> Headers(std::string_view bytes) { return DecodeHeaderLines(bytes).lines; }

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

TEST(DecodeHeaderLines, LongLinesAreShownWholeAndTheNextLineStartsAfterTheBreak) {
  std::string header = std::string(300, 'x') + "\r\nNext: 1\r\n\r\n";
  PageText page = DecodeHeaderLines(header);
  ASSERT_EQ(page.lines.size(), 3u);
  EXPECT_EQ(page.lines[0], std::string(300, 'x'));
  EXPECT_EQ(page.lines[1], "Next: 1");
  EXPECT_EQ(page.note, "Whole header shown: 3 lines, 312 characters");
}

// Header blocks of 8, 12 and 25 lines, each ended by an empty line: every line shows, and
// beyond eight line ends the page says once that it shows the whole header.
TEST(DecodeHeaderLines, EveryLineOfRealHeaderBlocks) {
  for (const HeaderSample& sample : HeaderSamples()) {
    const std::string stored = StoredHeader(sample);
    PageText page = DecodeHeaderLines(stored);
    std::vector<std::string> expected = sample.lines;
    expected.emplace_back();
    EXPECT_EQ(page.lines, expected) << sample.name;
    EXPECT_EQ(page.note, "Whole header shown: " + std::to_string(expected.size()) + " lines, " +
                             std::to_string(stored.size() - 1) + " characters")
        << sample.name;
  }
}

TEST(DecodeHeaderLines, WithinTheOldLimitsNothingIsSaid) {
  EXPECT_EQ(DecodeHeaderLines("HTTP/1.1 200 OK\r\nA: b\r\n\r\n").note, "");
  std::string eight;
  for (int i = 0; i < 8; ++i) eight += "H" + std::to_string(i) + ": v\r\n";
  PageText page = DecodeHeaderLines(eight + "Z");
  EXPECT_EQ(page.lines.size(), 8u);
  EXPECT_EQ(page.note, "");
  EXPECT_EQ(DecodeHeaderLines(eight + "\r\nZ").note, "Whole header shown: 9 lines, 58 characters");
}

TEST(DecodeHeaderLines, TextBeyondAThousandCharactersShowsToo) {
  std::string header = std::string(990, 'a') + "\r\n" + std::string(20, 'b') + "\r\n\r\n";
  PageText page = DecodeHeaderLines(header);
  EXPECT_EQ(page.lines, (std::vector<std::string>{std::string(990, 'a'), std::string(20, 'b'), ""}));
  EXPECT_EQ(page.note, "Whole header shown: 3 lines, 1015 characters");
}

TEST(DecodeHeaderLines, ArbitraryBytesSayWhenTheyPassTheOldLimits) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 1500, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? random() % 32 : random() % 256);
    PageText page = DecodeHeaderLines(bytes);
    std::string_view text = std::string_view(bytes).substr(0, bytes.empty() ? 0 : bytes.size() - 1);
    text = text.substr(0, text.find('\0'));
    size_t longest = 0;
    for (const std::string& line : page.lines) longest = std::max(longest, line.size());
    ASSERT_LE(longest, text.size());
    ASSERT_EQ(page.note.empty(), page.lines.size() <= 8 && longest <= 255 && text.size() <= 1000) << round;
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
  PageText page = EntryPropertyLines(SampleEntry(), UtcCalendarTime);
  const std::vector<std::string>& lines = page.lines;
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
  EXPECT_TRUE(page.note.empty());
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
    std::vector<std::string> lines = EntryPropertyLines(entry, UtcCalendarTime).lines;
    ASSERT_EQ(lines.size(), 11u);  // no header info: no header lines
    EXPECT_EQ(lines[6], row.expected);
    EXPECT_EQ(lines[0], "SourceUrlName: ");
    EXPECT_EQ(lines[3], "CacheEntryType: 0 : !!!! NEW Cache Entry Type !!!! ");
  }
}

}  // namespace

}  // namespace vantry::inspect

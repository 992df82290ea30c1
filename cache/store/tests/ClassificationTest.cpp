#include "cache/store/Classification.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"
#include "text/AsciiText.h"

namespace vantry::cache {

using C = CacheStatistics;

// Failures show the counters that are set rather than the record's raw bytes.
static void PrintTo(const CacheStatistics& s, std::ostream* os) {
  for (int i = 0; i < C::kCounters; ++i)
    if (s.counters[i] != 0) *os << "[" << i << "]=" << s.counters[i] << " ";
  *os << "bytes=" << s.bytes << " onDisk=" << s.bytesOnDisk;
}

TEST(ClassificationTest, SubTypeAndCategoryOfHeaders) {
  struct Row {
    std::string header;
    const char* subType;
    const char* category;
  } rows[] = {
      {"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=iso-8859-1\r\n\r\n", "html", "text"},
      {"HTTP/1.1 200 OK\r\nContent-Type:  text/html\r\n", "empty", "misc"},
      {"HTTP/1.1 200 OK\r\nServer: x\r\n\r\n", "NOT", "NOT"},
      {"", "NOT", "NOT"},
      {"Content-Type: www/unknown\r\n", "unk", "misc"},
      {"Content-Type: application/vnd.ms-powerpoint\r\n", "powerpoint", "application"},
      {"CONTENT-TYPE: IMAGE/GIF\r\n", "gif", "image"},
      {"content-type:image/jpeg\r\n", "jpg", "image"},
      {"Content-Type: image/png", "png", "image"},
      {"Content-Type: text/plain\r\n", "text", "text"},
      {"Content-Type: text/css\r\n", "css", "text"},
      {"Content-Type: image/x-icon\r\n", "xicon", "image"},
      {"Content-Type: image/x-xbitmap\r\n", "xbm", "image"},
      {"Content-Type: audio/basic\r\n", "audiobas", "audio"},
      {"Content-Type: audio/x-midi\r\n", "xmidi", "audio"},
      {"Content-Type: audio/midi\r\n", "midi", "audio"},
      {"Content-Type: application/x-javascript\r\n", "jscript", "application"},
      {"Content-Type: application/octet-stream\r\n", "octet", "application"},
      {"Content-Type: application/zip\r\n", "zip", "application"},
      {"Content-Type: application/arj\r\n", "arj", "application"},
      {"Content-Type: application/x-pointplus\r\n", "pointplus", "application"},
      {"Content-Type: application/msword\r\n", "msword", "application"},
      {"Content-Type: application/java\r\n", "java", "application"},
      // Only whole values match; the category is the part before "/".
      {"Content-Type: application/java-archive\r\n", "notfound", "application"},
      {"Content-Type: text/htmlx\r\n", "notfound", "text"},
      {"Content-Type: video/mpeg\r\n", "notfound", "misc"},
      {"Content-Type: textual\r\n", "notfound", "misc"},
      // What ends the sub-type and what ends the category differ.
      {"Content-Type: text/html\x7f\r\n", "html", "text"},
      {"Content-Type: text\xe9/html\r\n", "notfound", "text"},
      {"Content-Type: text /html\r\n", "notfound", "misc"},
      {"Content-Type: /html\r\n", "notfound", "misc"},
      {"Content-Type: \r\n", "empty", "misc"},
      {"Content-Type:", "empty", "misc"},
      // The first content type counts, and only within the text before a NUL byte.
      {"Content-Type: text/css\r\nContent-Type: text/html\r\n", "css", "text"},
      {std::string("Server: x\r\n\0Content-Type: text/html\r\n", 36), "NOT", "NOT"},
      // At most 32 characters of the value are read.
      {"Content-Type: application/x-javascript-with-a-long-tail\r\n", "notfound", "application"},
  };
  for (const Row& row : rows) {
    std::string forSubType = row.header;
    std::string forCategory = row.header;
    EXPECT_EQ(ClassifySubType(forSubType), row.subType) << row.header;
    EXPECT_EQ(ClassifyCategory(forCategory), row.category) << row.header;
  }
}

TEST(ClassificationTest, ClassifiersLowerCaseTheHeaderInPlace) {
  std::string header = "HTTP/1.1 200 OK\r\nContent-Type: Text/HTML\r\nX-\xC4: \xC4\r\n";
  const std::string lowered = "http/1.1 200 ok\r\ncontent-type: text/html\r\nx-\xC4: \xC4\r\n";
  EXPECT_EQ(ClassifySubType(header), "html");
  EXPECT_EQ(header, lowered);

  std::string withoutType = "Server: Big\r\n";
  EXPECT_EQ(ClassifyCategory(withoutType), "NOT");
  EXPECT_EQ(withoutType, "server: big\r\n");
}

TEST(ClassificationTest, UrlExtensionCounters) {
  using Ext = std::optional<C::Counter>;
  struct Row {
    const char* url;
    Ext counter;
  } rows[] = {
      {"http://a.example/pic.gif", C::kGif},
      {"http://a.example/PIC.GIF", C::kGif},
      {"http://a.example/page.asp?img=logo.gif", C::kGif},
      {"http://a.example/p.jpg", C::kJpeg},
      {"http://a.example/p.jpeg", C::kJpeg},
      {"http://a.example/p.jpe", C::kJpeg},
      {"http://a.example/p.art", C::kJpeg},
      {"http://a.example/Applet.class", C::kJava},
      {"http://a.example/menu.js", C::kJavascript},
      {"http://a.example/look.css", C::kStyleSheet},
      {"http://a.example/ctl.alx", C::kActiveX},
      {"http://a.example/ctl.axs", C::kActiveX},
      {"http://a.example/sound.au", C::kAu},
      {"http://a.example/sound.aif", C::kAiff},
      {"http://a.example/sound.aiff", C::kAiff},
      {"http://a.example/icon.xbm", C::kXbm},
      {"http://a.example/pic.png", C::kPng},
      {"http://a.example/page.htm", C::kHtmExtension},
      {"http://a.example/page.html", C::kHtmExtension},
      // The earlier entry of the test order wins when the text holds several.
      {"http://a.example/page.html?au=1", C::kAu},
      {"http://a.example/x.php?css=gif", C::kGif},
      {"http://a.example/data.json", C::kJavascript},
      // No counted kind, or no "." at all.
      {"http://a.example/page.asp", std::nullopt},
      {"http://a.example/readme.txt", std::nullopt},
      {"http://localhost/my.dir/page", std::nullopt},
      {"http://localhost/page", std::nullopt},
      {"", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(ClassifyUrlExtension(row.url), row.counter) << row.url;
}

namespace {

CacheEntry MakeEntry(std::string url, std::string headers, uint64_t size, uint32_t type = NORMAL_CACHE_ENTRY) {
  CacheEntry entry;
  entry.sourceUrl = std::move(url);
  entry.headerInfo = std::move(headers);
  entry.sizeLow = static_cast<uint32_t>(size);
  entry.sizeHigh = static_cast<uint32_t>(size >> 32);
  entry.entryType = type;
  return entry;
}

// One of each kind a walk meets.
std::vector<CacheEntry> MixedCache() {
  return {
      MakeEntry("http://a.example/index.htm", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n", 1000),
      MakeEntry("HTTP://a.example/page.asp", "http/1.1 200 ok\r\ncontent-type: text/html\r\n", 5000),
      MakeEntry("ftp://f.example/pic.gif", "Content-Type: image/gif\r\n", 4096),
      MakeEntry("Cookie:user@a.example/", "HTTP/1.0 200 OK\r\n", 100, NORMAL_CACHE_ENTRY | COOKIE_CACHE_ENTRY),
      MakeEntry("Visited: @http://a.example/index.htm", "", 0, URLHISTORY_CACHE_ENTRY),
      MakeEntry("http://a.example/raw.js", "", 1),
  };
}

CacheStatistics Figures(std::vector<std::pair<C::Counter, uint32_t>> counters, uint64_t bytes, uint64_t bytesOnDisk) {
  CacheStatistics statistics;
  for (auto [counter, value] : counters) statistics[counter] = value;
  statistics.bytes = bytes;
  statistics.bytesOnDisk = bytesOnDisk;
  return statistics;
}

CacheStatistics Tally(const std::vector<CacheEntry>& entries, TallyVariant variant, uint32_t cluster) {
  CacheStatistics statistics;
  for (const CacheEntry& entry : entries) TallyEntry(statistics, entry, variant, cluster);
  return statistics;
}

}  // namespace

TEST(ClassificationTest, TallyVariantsOverAMixedCache) {
  struct Row {
    TallyVariant variant;
    CacheStatistics expected;
  } rows[] = {
      {TallyVariant::AccessOrder, Figures({{C::kTotal, 6},
                                           {C::kCookie, 1},
                                           {C::kHistory, 1},
                                           {C::kUrl, 4},
                                           {C::kHtml, 1},
                                           {C::kHtmExtension, 1},
                                           {C::kGif, 1},
                                           {C::kJavascript, 1}},
                                          10097, 20480)},
      {TallyVariant::Alphabetical, Figures({{C::kTotal, 6},
                                            {C::kUrl, 4},
                                            {C::kHtml, 1},
                                            {C::kHttp, 2},
                                            {C::kFtp, 1},
                                            {C::kHtmExtension, 1},
                                            {C::kGif, 1}},
                                           10196, 20480)},
      {TallyVariant::AfterFind, Figures({{C::kTotal, 6},
                                         {C::kCookie, 1},
                                         {C::kHistory, 1},
                                         {C::kUrl, 4},
                                         {C::kHtml, 2},
                                         {C::kHttp, 3},
                                         {C::kFtp, 1},
                                         {C::kHtmExtension, 1},
                                         {C::kGif, 1},
                                         {C::kJavascript, 1}},
                                        10097, 20480)},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Tally(MixedCache(), row.variant, 4096), row.expected) << static_cast<int>(row.variant);
}

TEST(ClassificationTest, TallyLeavesTheEntryUnchanged) {
  std::vector<CacheEntry> entries = MixedCache();
  for (TallyVariant variant : {TallyVariant::AccessOrder, TallyVariant::Alphabetical, TallyVariant::AfterFind}) {
    Tally(entries, variant, 512);
    EXPECT_EQ(entries[0].headerInfo, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n");
  }
}

TEST(ClassificationTest, SizesRoundUpToWholeClusters) {
  std::vector<CacheEntry> files = {MakeEntry("http://a/1", "h", 1), MakeEntry("http://a/2", "h", 4096),
                                   MakeEntry("http://a/3", "h", 5000)};
  CacheStatistics withClusters = Tally(files, TallyVariant::AccessOrder, 4096);
  EXPECT_EQ(withClusters.bytes, 9097u);
  EXPECT_EQ(withClusters.bytesOnDisk, 16384u);

  CacheStatistics unknownClusters = Tally(files, TallyVariant::AfterFind, 0);
  EXPECT_EQ(unknownClusters.bytes, 9097u);
  EXPECT_EQ(unknownClusters.bytesOnDisk, 0u);

  struct Row {
    uint64_t size;
    uint32_t cluster;
    uint64_t onDisk;
  } rows[] = {{0, 4096, 0},
              {1, 4096, 4096},
              {4096, 4096, 4096},
              {4097, 4096, 8192},
              {5, 0, 0},
              {3, 1, 3},
              {1ULL << 32, 4096, 1ULL << 32},
              {(1ULL << 32) + 1, 65536, (1ULL << 32) + 65536}};
  for (const Row& row : rows)
    EXPECT_EQ(SizeOnDisk(row.size, row.cluster), row.onDisk) << row.size << " / " << row.cluster;
}

TEST(ClassificationTest, ByteSumsPassFourGigabytes) {
  const uint64_t twoGigabytes = 2ULL << 30;
  std::vector<CacheEntry> files = {MakeEntry("http://a/1", "h", twoGigabytes),
                                   MakeEntry("http://a/2", "h", twoGigabytes),
                                   MakeEntry("http://a/3", "h", 5ULL << 30)};
  CacheStatistics statistics = Tally(files, TallyVariant::Alphabetical, 4096);
  EXPECT_EQ(statistics.bytes, 9ULL << 30);
  EXPECT_EQ(statistics.bytesOnDisk, 9ULL << 30);
}

TEST(ClassificationTest, ClusterSizeOfTheStoreFolder) {
  testing::TempFolder folder;
  uint32_t cluster = ReadClusterSize(folder.path());
  EXPECT_GE(cluster, 512u);
  EXPECT_EQ(cluster & (cluster - 1), 0u) << cluster;
  EXPECT_EQ(ReadClusterSize(folder.path() / "missing"), 0u);
}

}  // namespace vantry::cache

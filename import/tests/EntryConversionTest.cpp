#include "import/EntryConversion.h"

#include <gtest/gtest.h>

#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace {

ImportedEntry Script(std::string headers) {
  ImportedEntry e;
  e.url = "http://a.test/lib.js";
  e.headers = std::move(headers);
  e.fetchCount = 4;
  e.lastFetched = cache::FileTimeFromUnixSeconds(1700000300);
  e.lastModified = cache::FileTimeFromUnixSeconds(1700000200);
  e.responseTime = cache::FileTimeFromUnixSeconds(1700000100);
  e.expires = cache::FileTimeFromUnixSeconds(1700086400);
  return e;
}

const std::string kGzipHeaders = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 40\r\n\r\n";

TEST(EntryConversionTest, FieldsMapFromTheBrowserRecord) {
  ConvertedEntry converted = ConvertEntry(Script("HTTP/1.1 200 OK\r\n\r\n"), "var a;");
  const cache::NewEntry& e = converted.entry;
  EXPECT_EQ(e.url, "http://a.test/lib.js");
  EXPECT_EQ(e.content, "var a;");
  EXPECT_EQ(e.headers, "HTTP/1.1 200 OK\r\n\r\n");
  EXPECT_EQ(e.entryType, cache::NORMAL_CACHE_ENTRY);
  EXPECT_EQ(e.useCount, 4u);
  EXPECT_EQ(e.lastAccessTime, cache::FileTimeFromUnixSeconds(1700000300));
  EXPECT_EQ(e.lastModifiedTime, cache::FileTimeFromUnixSeconds(1700000200));
  EXPECT_EQ(e.lastSyncTime, cache::FileTimeFromUnixSeconds(1700000100));
  EXPECT_EQ(e.expireTime, cache::FileTimeFromUnixSeconds(1700086400));
  EXPECT_EQ(converted.coding, BodyCoding::Plain);
}

TEST(EntryConversionTest, PinnedEntriesBecomeSticky) {
  ImportedEntry pinned = Script("HTTP/1.1 200 OK\r\n\r\n");
  pinned.pinned = true;
  EXPECT_EQ(ConvertEntry(pinned, "").entry.entryType, cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY);
}

TEST(EntryConversionTest, EncodedBodiesAreDecodedAndTheHeaderSaysSo) {
  ConvertedEntry converted = ConvertEntry(Script(kGzipHeaders), GzipBytes("var decoded = true;"));
  EXPECT_EQ(converted.coding, BodyCoding::Decoded);
  EXPECT_EQ(converted.entry.content, "var decoded = true;");
  EXPECT_EQ(converted.entry.headers,
            "HTTP/1.1 200 OK\r\nOriginal-Content-Encoding: gzip\r\nOriginal-Content-Length: 40\r\n"
            "Content-Length: 19\r\n\r\n");
}

TEST(EntryConversionTest, BodiesThatDoNotDecodeKeepTheirCodingHeader) {
  ConvertedEntry converted = ConvertEntry(Script(kGzipHeaders), "not gzip");
  EXPECT_EQ(converted.coding, BodyCoding::LeftEncoded);
  EXPECT_EQ(converted.entry.content, "not gzip");
  EXPECT_EQ(converted.entry.headers, kGzipHeaders);
}

TEST(EntryConversionTest, AlreadyDecodedBodiesOnlyLoseTheCodingHeader) {
  ImportedEntry fromArchive = Script("HTTP/1.1 200 OK\r\ncontent-encoding: br\r\n\r\n");
  fromArchive.bodyDecoded = true;
  ConvertedEntry converted = ConvertEntry(fromArchive, "plain");
  EXPECT_EQ(converted.coding, BodyCoding::Decoded);
  EXPECT_EQ(converted.entry.content, "plain");
  EXPECT_EQ(converted.entry.headers, "HTTP/1.1 200 OK\r\nOriginal-Content-Encoding: br\r\n\r\n");
}

}  // namespace

}  // namespace vantry::import

#include "import/HarReader.h"

#include <gtest/gtest.h>

namespace vantry::import {

namespace {

const char kArchive[] = R"({"log": {"version": "1.2", "entries": [
  {"startedDateTime": "2024-05-01T12:30:45.250+02:00", "time": 120.5,
   "request": {"method": "GET", "url": "https://a.test/page.html"},
   "response": {"status": 200, "statusText": "OK", "httpVersion": "h2",
     "headers": [{"name": ":status", "value": "200"}, {"name": "content-type", "value": "text/html"},
                 {"name": "content-encoding", "value": "gzip"}, {"name": "cache-control", "value": "max-age=60"}],
     "content": {"size": 13, "mimeType": "text/html", "text": "<p>caf\u00e9</p>"}}},
  {"startedDateTime": "2024-05-01T10:30:46Z", "time": 0,
   "request": {"url": "https://a.test/logo.png"},
   "response": {"status": 200, "statusText": "", "httpVersion": "HTTP/1.1", "headers": [],
     "content": {"mimeType": "image/png", "encoding": "base64", "text": "iVBORw0K"}}},
  {"startedDateTime": "2024-05-01T10:30:47Z", "request": {"url": "https://a.test/blocked"},
   "response": {"status": 0, "headers": [], "content": {}}},
  {"startedDateTime": "2024-05-01T10:30:47Z", "request": {"url": "data:text/plain,hi"},
   "response": {"status": 200, "headers": [], "content": {}}},
  {"request": {"url": "https://a.test/bad64"},
   "response": {"status": 200, "headers": [], "content": {"encoding": "base64", "text": "@@@"}}},
  {"startedDateTime": "2024-05-01T10:30:48Z", "request": {"method": "POST", "url": "https://a.test/form"},
   "response": {"status": 200, "headers": [], "content": {"text": "thanks"}}},
  {"request": "not an object"}
]}})";

TEST(HarReaderTest, ReadsResponsesWithHeadersBodiesAndTimes) {
  HarRead read = ReadHar(kArchive);
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.entries.size(), 3u);
  EXPECT_EQ(read.entries[2].method, "POST");  // read, and left out when the entries are stored
  const ImportedEntry& page = read.entries[0];
  EXPECT_EQ(page.url, "https://a.test/page.html");
  EXPECT_EQ(
      page.headers,
      "HTTP/2.0 200 OK\r\ncontent-type: text/html\r\ncontent-encoding: gzip\r\ncache-control: max-age=60\r\n\r\n");
  EXPECT_EQ(page.body, "<p>caf\xc3\xa9</p>");
  EXPECT_TRUE(page.bodyDecoded);
  const cache::FileTime started = cache::FileTimeFromUnixSeconds(1714559445) + 2500000;  // 10:30:45.25 UTC
  EXPECT_EQ(page.lastFetched, started);
  EXPECT_EQ(page.responseTime, started + 1205000);
  EXPECT_EQ(page.expires, page.responseTime + 60ULL * 10000000);
  const ImportedEntry& logo = read.entries[1];
  EXPECT_EQ(logo.body, std::string("\x89PNG\r\n", 6));
  EXPECT_EQ(logo.headers, "HTTP/1.1 200\r\n\r\n");

  EXPECT_EQ(read.skipped["no response (failed or blocked request)"], 1u);
  EXPECT_EQ(read.skipped["not an http, https or ftp address"], 1u);
  EXPECT_EQ(read.skipped["content is not valid base64"], 1u);
  EXPECT_EQ(read.skipped["entry without request or response"], 1u);
}

// Archives written by tools that copy a page's bytes into the JSON text unchanged.
TEST(HarReaderTest, TextsInAnotherCharacterSetKeepTheirBytes) {
  const std::string latin1 = "<p>caf\xe9 \xff\xfe \xc3(</p>";  // not UTF-8: a lone lead byte, then "("
  std::string archive =
      "{\"log\": {\"entries\": [{\"startedDateTime\": \"2024-05-01T10:30:46Z\","
      " \"request\": {\"url\": \"https://a.test/caf\xe9.html\"}, \"response\": {\"status\": 200,"
      " \"statusText\": \"OK\", \"headers\": [{\"name\": \"X-Name\", \"value\": \"M\xfcller\"}],"
      " \"content\": {\"text\": \"" +
      latin1 + "\"}}}]}}";
  HarRead read = ReadHar(archive);
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.entries.size(), 1u);
  EXPECT_EQ(read.entries[0].body, latin1);
  EXPECT_EQ(read.entries[0].url, "https://a.test/caf\xe9.html");
  EXPECT_EQ(read.entries[0].headers, "HTTP/1.1 200 OK\r\nX-Name: M\xfcller\r\n\r\n");

  // A syntax error after such bytes is placed in the file as it is.
  EXPECT_EQ(ReadHar("{\"a\xe9\xe9\": x}").error, "not a JSON file (syntax error at byte 9)");
}

TEST(HarReaderTest, FilesThatAreNoArchivesSayWhy) {
  EXPECT_EQ(ReadHar("{\"log\": {\"entries\": ").error, "not a JSON file (it ends early, after byte 20)");
  EXPECT_EQ(ReadHar("{\"log\": {\"entries\": x}}").error, "not a JSON file (syntax error at byte 21)");
  EXPECT_EQ(ReadHar("7E732").error, "not a JSON file (a number too large to read)");
  EXPECT_EQ(ReadHar("{\"log\": {\"entries\": [{\"time\": -1e999}]}}").error,
            "not a JSON file (a number too large to read)");
  EXPECT_EQ(ReadHar("[1, 2]").error, "no \"log.entries\" list, so not an HTTP archive");
  EXPECT_EQ(ReadHar("{\"log\": {\"entries\": {}}}").error, "no \"log.entries\" list, so not an HTTP archive");
}

TEST(HarReaderTest, EveryTruncationIsRefusedWithoutACrash) {
  const std::string archive = kArchive;
  for (size_t length = 0; length < archive.size(); ++length) {
    HarRead read = ReadHar(std::string_view(archive).substr(0, length));
    EXPECT_EQ(read.error, "not a JSON file (it ends early, after byte " + std::to_string(length) + ")") << length;
    EXPECT_TRUE(read.entries.empty());
  }
}

TEST(HarReaderTest, IsoTimes) {
  struct Case {
    const char* text;
    std::optional<cache::FileTime> time;
  } cases[] = {
      {"1970-01-01T00:00:00Z", cache::FileTimeFromUnixSeconds(0)},
      {"2024-05-01T10:30:45.123Z", cache::FileTimeFromUnixSeconds(1714559445) + 1230000},
      {"2024-05-01T12:30:45+02:00", cache::FileTimeFromUnixSeconds(1714559445)},
      {"2024-05-01T05:30:45-05:00", cache::FileTimeFromUnixSeconds(1714559445)},
      {"2024-05-01T10:30:45", cache::FileTimeFromUnixSeconds(1714559445)},
      {"2024-13-01T10:30:45Z", std::nullopt},
      {"yesterday", std::nullopt},
      {"2024-05-01T10:30:45 EST", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIsoTime(c.text), c.time) << c.text;
}

TEST(HarReaderTest, Base64) {
  struct Case {
    const char* text;
    std::optional<std::string> bytes;
  } cases[] = {
      {"", ""},
      {"TQ==", "M"},
      {"TWE=", "Ma"},
      {"TWFu", "Man"},
      {"TW\nFu", "Man"},
      {"TQ", "M"},
      {"T", std::nullopt},
      {"TQ==TQ==", std::nullopt},
      {"T*Q=", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeBase64(c.text), c.bytes) << c.text;
}

}  // namespace

}  // namespace vantry::import

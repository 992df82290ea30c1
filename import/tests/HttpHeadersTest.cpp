#include "import/HttpHeaders.h"

#include <gtest/gtest.h>

namespace vantry::import {

namespace {

constexpr cache::FileTime kSecond = 10000000;

TEST(HttpHeadersTest, LinesFromAnySeparatorBecomeCrlfText) {
  std::string nulSeparated("HTTP/1.1 200 OK\0Server: x\0\0", 27);
  EXPECT_EQ(HeaderTextFromLines(HeaderLines(nulSeparated)), "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n");
  EXPECT_EQ(HeaderTextFromLines(HeaderLines("HTTP/1.1 404 Not Found\nA: 1\r\n\r\n")),
            "HTTP/1.1 404 Not Found\r\nA: 1\r\n\r\n");
  EXPECT_EQ(HeaderTextFromLines(HeaderLines("")), "\r\n");
}

TEST(HttpHeadersTest, ValuesAreFoundIgnoringCase) {
  const std::string text = "HTTP/1.1 200 OK\r\ncontent-encoding:  gzip \r\nX-Content-Encoding: br\r\n\r\n";
  EXPECT_EQ(HeaderValue(text, "Content-Encoding"), std::optional<std::string>("gzip"));
  EXPECT_EQ(HeaderValue(text, "Content-Type"), std::nullopt);
  EXPECT_EQ(HeaderValue("HTTP/1.1 200 Content-Type: no\r\n", "HTTP/1.1 200 Content-Type"), std::nullopt);
}

TEST(HttpHeadersTest, DecodedBodyKeepsTheOriginalCodingUnderAnotherName) {
  EXPECT_EQ(HeadersForDecodedBody("HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 126\r\nVary: "
                                  "Accept-Encoding\r\n\r\n",
                                  335),
            "HTTP/1.1 200 OK\r\nOriginal-Content-Encoding: gzip\r\nOriginal-Content-Length: 126\r\nVary: "
            "Accept-Encoding\r\nContent-Length: 335\r\n\r\n");
  EXPECT_EQ(HeadersForDecodedBody("HTTP/1.1 200 OK\r\ncontent-encoding: br\r\n", 5),
            "HTTP/1.1 200 OK\r\nOriginal-Content-Encoding: br\r\n\r\n");
}

TEST(HttpHeadersTest, HttpDatesInEachForm) {
  const cache::FileTime expected = cache::FileTimeFromUnixSeconds(784111777);  // 1994-11-06 08:49:37 UTC
  EXPECT_EQ(ParseHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"), expected);
  EXPECT_EQ(ParseHttpDate("Sunday, 06-Nov-94 08:49:37 GMT"), expected);
  EXPECT_EQ(ParseHttpDate("Sun Nov  6 08:49:37 1994"), expected);
  EXPECT_EQ(ParseHttpDate("0"), std::nullopt);
  EXPECT_EQ(ParseHttpDate("Sun, 06 Nov 1994 08:49:37 PST"), std::nullopt);
  EXPECT_EQ(ParseHttpDate(""), std::nullopt);
}

TEST(HttpHeadersTest, ExpiryFromMaxAgeOrExpires) {
  const cache::FileTime response = cache::FileTimeFromUnixSeconds(1700000000);
  struct Case {
    const char* headers;
    cache::FileTime expiry;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nCache-Control: private, max-age=600\r\n", response + 600 * kSecond},
      {"HTTP/1.1 200 OK\r\nCache-Control: s-maxage=5, max-age = 60\r\n", response + 60 * kSecond},
      {"HTTP/1.1 200 OK\r\nExpires: Sun, 06 Nov 1994 08:49:37 GMT\r\n", cache::FileTimeFromUnixSeconds(784111777)},
      {"HTTP/1.1 200 OK\r\nCache-Control: max-age=10\r\nExpires: Sun, 06 Nov 1994 08:49:37 GMT\r\n",
       response + 10 * kSecond},
      {"HTTP/1.1 200 OK\r\nCache-Control: no-cache\r\nExpires: 0\r\n", 0},
      {"HTTP/1.1 200 OK\r\nCache-Control: max-age=-5\r\n", 0},
      {"HTTP/1.1 200 OK\r\n", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpiryFromHeaders(c.headers, response), c.expiry) << c.headers;
}

}  // namespace

}  // namespace vantry::import

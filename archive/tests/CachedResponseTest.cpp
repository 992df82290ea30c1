#include "archive/CachedResponse.h"

#include <gtest/gtest.h>

namespace vantry::archive {

namespace {

TEST(CachedResponseTest, StatusTypeAndLocationAreReadFromStoredHeaders) {
  struct Case {
    const char* headers;
    int status;
    const char* contentType;
    const char* location;
  };
  const Case cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n\r\n", 200, "text/html; charset=utf-8", ""},
      {"HTTP/1.0 301 Moved\r\nLocation: /new/\r\nContent-Type: text/html\r\n", 301, "text/html", "/new/"},
      {"content-type:image/png\ncontent-encoding: gzip\n", 200, "image/png", ""},
      {"HTTP/1.1 404 Not Found\r\n", 404, "", ""},
      {"HTTP/1.1 garbage\r\nContent-Type:  text/css \r\n", 200, "text/css", ""},
      {"", 200, "", ""},
      {"Content-Type", 200, "", ""},
  };
  for (const Case& c : cases) {
    CachedResponse response = ParseStoredHeaders(c.headers);
    EXPECT_EQ(response.status, c.status) << c.headers;
    EXPECT_EQ(response.contentType, c.contentType) << c.headers;
    EXPECT_EQ(response.location, c.location) << c.headers;
  }
}

TEST(CachedResponseTest, OnlyRedirectStatusesRedirect) {
  for (int status : {301, 302, 303, 307, 308}) EXPECT_TRUE(IsRedirectStatus(status)) << status;
  for (int status : {200, 300, 304, 404}) EXPECT_FALSE(IsRedirectStatus(status)) << status;
}

TEST(CachedResponseTest, ContentTypeIsGuessedFromNameThenFromBytes) {
  struct Case {
    const char* fileName;
    std::string body;
    const char* type;
  };
  const Case cases[] = {
      {"page.HTM", "", "text/html"},
      {"logo.png", "", "image/png"},
      {"site.css", "", "text/css"},
      {"index", "  <!DOCTYPE html><p>x", "text/html"},
      {"index", "<HTML><body>", "text/html"},
      {"notes", "plain words", "text/plain"},
      {"blob", std::string("GIF\0\1", 5), "application/octet-stream"},
  };
  for (const Case& c : cases) EXPECT_EQ(GuessContentType(c.fileName, c.body), c.type) << c.fileName;
}

}  // namespace

}  // namespace vantry::archive

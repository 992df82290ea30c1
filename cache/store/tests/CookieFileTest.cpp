#include "cache/store/CookieFile.h"

#include <gtest/gtest.h>

namespace vantry::cache {

TEST(CookieFileTest, RecordsRoundTripAndADamagedTailIsDropped) {
  std::vector<Cookie> cookies = {
      {"id", "abc def", ".example.com", "/", COOKIE_FLAG_SECURE, 0x01D1234589ABCDEFULL, 0x01C0000000000001ULL},
      {"", "bare", "www.example.com", "/shop/", 0, 0, 5},
  };
  std::string text = FormatCookieFile(cookies);
  EXPECT_TRUE(text.starts_with("id\nabc def\n.example.com/\n1\n"));
  EXPECT_TRUE(text.ends_with("\n*\n"));
  std::vector<Cookie> back = ParseCookieFile(text);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].expiry, cookies[0].expiry);
  EXPECT_EQ(back[0].creation, cookies[0].creation);
  EXPECT_EQ(back[0].value, "abc def");
  EXPECT_EQ(back[1].path, "/shop/");
  EXPECT_EQ(back[1].domain, "www.example.com");

  for (size_t cut = 0; cut < text.size(); ++cut) {
    size_t kept = ParseCookieFile(text.substr(0, cut)).size();
    size_t complete = 0;
    for (size_t at = text.find("\n*"); at != std::string::npos && at + 2 <= cut; at = text.find("\n*", at + 1))
      ++complete;
    EXPECT_EQ(kept, complete) << cut;
  }
  EXPECT_EQ(ParseCookieFile("a\nb\nc/\nnotanumber\n0\n0\n0\n0\n*\n").size(), 0u);
}

TEST(CookieFileTest, TargetsOfUrls) {
  struct Row {
    const char* url;
    bool ok;
    bool secure;
    const char* host;
    const char* path;
  } rows[] = {
      {"http://User:pw@WWW.Example.COM:8080/A/b?c#d", true, false, "www.example.com", "/A/b"},
      {"HTTPS://example.com", true, true, "example.com", "/"},
      {"http://example.com?q", true, false, "example.com", "/"},
      {"ftp://example.com/", false, false, "", ""},
      {"Cookie:user@example.com/", false, false, "", ""},
  };
  for (const Row& row : rows) {
    CookieTarget target;
    ASSERT_EQ(ParseCookieTarget(row.url, target), row.ok) << row.url;
    if (!row.ok) continue;
    EXPECT_EQ(target.secure, row.secure) << row.url;
    EXPECT_EQ(target.host, row.host) << row.url;
    EXPECT_EQ(target.path, row.path) << row.url;
  }
}

}  // namespace vantry::cache

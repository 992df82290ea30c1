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

// Each record's bytes are kept; a carriage return is part of a field unless the record's
// lines end in "\r\n".
TEST(CookieFileTest, RecordsKeepTheirBytes) {
  struct Row {
    std::string text;
    const char* name;
    const char* value;
    const char* path;
  } rows[] = {
      {"n\nv\na.example/\n0\n0\n0\n0\n0\n*\n", "n", "v", "/"},
      {"n\r\nv\r\r\na.example/p\n0\n0\n0\n0\n0\n*\n", "n\r", "v\r\r", "/p"},
      {"n\r\nv\r\na.example/p\r\n1\r\n0\r\n0\r\n0\r\n0\r\n*\r\n", "n", "v", "/p"},
      {"n\nv\na.example\n0\n0\n0\n0\n0\n*", "n", "v", "/"},
  };
  for (const Row& row : rows) {
    std::string twice = row.text + (row.text.ends_with('\n') ? row.text : "");
    std::vector<CookieRecord> records = ReadCookieRecords(twice);
    ASSERT_EQ(records.size(), row.text.ends_with('\n') ? 2u : 1u) << row.text;
    EXPECT_EQ(records[0].text, row.text);
    EXPECT_EQ(records[0].cookie.name, row.name) << row.text;
    EXPECT_EQ(records[0].cookie.value, row.value) << row.text;
    EXPECT_EQ(records[0].cookie.path, row.path) << row.text;
    EXPECT_EQ(records.back().text.data() + records.back().text.size(), twice.data() + twice.size());
  }
}

TEST(CookieFileTest, SettingACookieReplacesOnlyItsOwnRecord) {
  std::string kept = "Kept\rname\nv\r\n.A.example/\n0\n007\n0\n0\n0\n*\n";
  std::string old = FormatCookieFile({{"id", "1", "a.example", "/", 0, 50, 1}});
  FileTime expiry = 0;
  std::string text = SetCookieRecord(kept + old + kept, {"id", "2", "A.EXAMPLE", "/", 0, 40, 2}, expiry);
  EXPECT_EQ(text, kept + kept + FormatCookieFile({{"id", "2", "A.EXAMPLE", "/", 0, 40, 2}}));
  EXPECT_EQ(expiry, 40u);
  EXPECT_EQ(SetCookieRecord(kept + "damaged\n", {"n", "v", "a.example", "/p", 0, 9, 0}, expiry),
            kept + FormatCookieFile({{"n", "v", "a.example", "/p", 0, 9, 0}}));
  EXPECT_EQ(expiry, 9u);
  EXPECT_EQ(SetCookieRecord("n\nv\na.example\n0\n0\n0\n0\n0\n*", {"m", "w", "a.example", "/", 0, 0, 0}, expiry),
            "n\nv\na.example\n0\n0\n0\n0\n0\n*\n" + FormatCookieFile({{"m", "w", "a.example", "/", 0, 0, 0}}));
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

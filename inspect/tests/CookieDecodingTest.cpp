#include "inspect/CookieDecoding.h"

#include <fstream>

#include <gtest/gtest.h>

#include "cache/store/CookieFile.h"
#include "testing/TempFolder.h"

namespace vantry::inspect {

namespace {

TEST(CookieTextLines, SplitsAtSemicolonsIntoFourSets) {
  struct Row {
    const char* text;
    std::vector<std::string> expected;
  } rows[] = {
      {"", {"Set One: "}},
      {"a=1", {"Set One: a=1"}},
      {"a=1; b=2", {"Set One: a=1", "Set Two:  b=2"}},
      {"a=1; b=2; c=3", {"Set One: a=1", "Set Two: # b=2", "Set Three:  c=3"}},
      {"a=1; b=2; c=3; d=4; e=5", {"Set One: a=1", "Set Two: # b=2", "Set Three: # c=3", "Set Four: # d=4"}},
      {"a=1; b=2; c=3; d=4", {"Set One: a=1", "Set Two: # b=2", "Set Three: # c=3", "Set Four:  d=4"}},
      // A leading semicolon keeps the whole text on the first line.
      {";x=1", {"Set One: ;x=1", "Set Two: x=1"}},
      {"a=1;", {"Set One: a=1", "Set Two: "}},
      {"a;;b", {"Set One: a", "Set Two: #", "Set Three: b"}},
  };
  for (const Row& row : rows) EXPECT_EQ(CookieTextLines(row.text), row.expected) << row.text;
}

cache::Cookie MakeCookie(std::string name, std::string value, uint32_t flags = 0) {
  cache::Cookie cookie;
  cookie.name = std::move(name);
  cookie.value = std::move(value);
  cookie.domain = "example.com";
  cookie.path = "/shop/";
  cookie.flags = flags;
  cookie.expiry = cache::FileTimeFromUnixSeconds(1009809012);   // 2001-12-31 14:30:12 UTC
  cookie.creation = cache::FileTimeFromUnixSeconds(946684800);  // 2000-01-01 00:00:00 UTC
  return cookie;
}

std::vector<std::string> Decode(std::string_view bytes, Notices* notices = nullptr) {
  Notices ignored;
  return DecodeCookieFileLines(bytes, notices ? *notices : ignored);
}

TEST(DecodeCookieFileLines, OneRecordIsNumberedZeroWithoutACountLine) {
  std::vector<std::string> expected = {
      "Cookie-Entry Nr. 0 :",
      "Originator = example.com/shop/",
      "name = id has value = 42",
      "Cookie is secure = No",
      "Expiration Date:  Time: 12sec : 30min : 14h ,Date: 31, 12, 2001",
      "Creation Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 2000",
      "",
  };
  EXPECT_EQ(Decode(cache::FormatCookieFile({MakeCookie("id", "42")})), expected);
}

TEST(DecodeCookieFileLines, SeveralRecordsAndTheirFlags) {
  std::vector<std::string> lines =
      Decode(cache::FormatCookieFile({MakeCookie("a", "1", 0), MakeCookie("b", "2", 1), MakeCookie("c", "3", 0x2000)}));
  ASSERT_EQ(lines.size(), 1u + 3 * 7);
  EXPECT_EQ(lines[0], "There are 3 entries in this cookie:");
  EXPECT_EQ(lines[1 + 7], "Cookie-Entry Nr. 1 :");
  EXPECT_EQ(lines[4], "Cookie is secure = No");
  EXPECT_EQ(lines[4 + 7], "Cookie is secure = Yes");
  EXPECT_EQ(lines[4 + 14], "Cookie is secure = Yes");
}

TEST(DecodeCookieFileLines, LongValuesContinueOnTheirOwnLine) {
  std::string value(61, 'v');
  value.back() = 'Z';
  std::vector<std::string> lines = Decode(cache::FormatCookieFile({MakeCookie("n", value)}));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[2], "name = n has value = " + std::string(60, 'v'));
  EXPECT_EQ(lines[3], "Z");
  EXPECT_EQ(Decode(cache::FormatCookieFile({MakeCookie("n", std::string(60, 'v'))})).size(), 7u);
}

TEST(DecodeCookieFileLines, NineRecordsShowEightAndOneNotice) {
  std::vector<cache::Cookie> cookies;
  for (int i = 0; i < 9; ++i) cookies.push_back(MakeCookie("c" + std::to_string(i), "v"));
  std::string text = cache::FormatCookieFile(cookies);
  ASSERT_LT(text.size(), kCookieDecodeLimit);
  Notices notices;
  std::vector<std::string> lines = Decode(text, &notices);
  EXPECT_EQ(lines[0], "There are 8 entries in this cookie:");
  EXPECT_EQ(lines.size(), 1u + 8 * 7);
  EXPECT_EQ(notices, (Notices{Notice{"Too many Entries in Cookie !", "Decode Cookie"}}));
}

TEST(DecodeCookieFileLines, BlanksInAFieldShiftTheLaterFields) {
  std::vector<std::string> lines = Decode("n\nmy value\nexample.com/\n0\n5\n0\n0\n0\n*\n");
  EXPECT_EQ(lines[1], "Originator = value");
  EXPECT_EQ(lines[2], "name = n has value = my");
  EXPECT_EQ(lines[3], "Cookie is secure = No");  // "example.com/" read as the flags
}

TEST(DecodeCookieFileLines, MissingFieldsAndUnseparatedTailsAndBigTimes) {
  struct Row {
    std::string bytes;
    std::vector<std::string> expected;
  } rows[] = {
      {"", {}},
      {"a\nb\nc\n0\n1\n2\n3\n4\n", {}},  // no "*" line: no record
      {"only\n*\n",
       {"Cookie-Entry Nr. 0 :", "Originator = ", "name = only has value = ", "Cookie is secure = No",
        "Expiration Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 1601",
        "Creation Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 1601", ""}},
      {"n\nv\nd/\n-3\nxyz\n4294967295\n99999999999\n0\n*\n",
       {"Cookie-Entry Nr. 0 :", "Originator = d/", "name = n has value = v", "Cookie is secure = Yes",
        "Expiration Date:  Time: 1sec : 29min : 5h ,Date: 28, 5, 60056",
        "Creation Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 1601", ""}},
  };
  for (const Row& row : rows) EXPECT_EQ(Decode(row.bytes), row.expected) << row.bytes;
}

TEST(DecodeCookieFileLines, RecordsAreCutTo255Characters) {
  std::string record = "n\n" + std::string(300, 'v') + "\nd/\n1\n0\n0\n0\n0\n*\n";
  std::vector<std::string> lines = Decode(record);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "Originator = ");  // the later fields were cut off
  EXPECT_EQ(lines[2], "name = n has value = " + std::string(60, 'v'));
  EXPECT_EQ(lines[3], std::string(253 - 60, 'v'));  // 255 minus "n\n"
}

TEST(DecodeCookieFileLines, EveryTruncatedPrefixDecodesWithoutFault) {
  std::vector<cache::Cookie> cookies;
  for (int i = 0; i < 10; ++i) cookies.push_back(MakeCookie("name" + std::to_string(i), std::string(i * 9, 'q'), i));
  std::string text = cache::FormatCookieFile(cookies) + "garbage\n*";
  for (size_t length = 0; length <= text.size(); ++length) {
    Notices notices;
    std::vector<std::string> lines = Decode(std::string_view(text).substr(0, length), &notices);
    std::string_view seen = std::string_view(text).substr(0, std::min(length, kCookieDecodeLimit));
    size_t complete = 0;
    for (size_t pos = seen.find("\n*\n"); pos != std::string_view::npos; pos = seen.find("\n*\n", pos + 3)) ++complete;
    EXPECT_EQ(notices.size(), complete > 8 ? complete - 8 : 0) << length;
    if (complete == 1) {
      EXPECT_EQ(lines[0], "Cookie-Entry Nr. 0 :") << length;
    } else if (complete > 1) {
      EXPECT_EQ(lines[0], "There are " + std::to_string(std::min<size_t>(complete, 8)) + " entries in this cookie:")
          << length;
    }
  }
}

class ReadCookieFile : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    std::filesystem::path path = folder_.path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  testing::TempFolder folder_;
};

TEST_F(ReadCookieFile, OnlyCookieAddressesWithReadableFiles) {
  std::filesystem::path file = Write("user@example.com.txt", "a\r\nb\r\n*\r\n");
  Notices notices;
  EXPECT_EQ(ReadCookieFileForDecoding("Cookie:user@example.com/", file, notices), "a\nb\n*\n");
  EXPECT_FALSE(ReadCookieFileForDecoding("cookie:user@example.com/", file, notices));
  EXPECT_FALSE(ReadCookieFileForDecoding("http://example.com/", file, notices));
  EXPECT_FALSE(ReadCookieFileForDecoding("Cookie:user@example.com/", folder_ / "missing.txt", notices));
  EXPECT_TRUE(notices.empty());
}

TEST_F(ReadCookieFile, BigFilesAreCutAtTheLimitWithANotice) {
  struct Row {
    std::string bytes;
    size_t expectedSize;
    bool warned;
  } rows[] = {
      {std::string(998, 'x'), 998, false},
      {std::string(999, 'x'), 999, true},
      {std::string(5000, 'x'), 1000, true},
      {[] {
         std::string s;
         for (int i = 0; i < 700; ++i) s += "\r\n";
         return s;
       }(),
       700, false},
      {[] {
         std::string s;
         for (int i = 0; i < 1500; ++i) s += "\r\n";
         return s;
       }(),
       1000, true},
  };
  for (const Row& row : rows) {
    Notices notices;
    std::optional<std::string> bytes = ReadCookieFileForDecoding("Cookie:u@x/", Write("big.txt", row.bytes), notices);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), row.expectedSize);
    EXPECT_EQ(notices.size(), row.warned ? 1u : 0u);
    if (row.warned) {
      EXPECT_EQ(notices[0], (Notice{"What the hell is this? Cookie much too big!!!", "Read Cookie"}));
    }
  }
}

}  // namespace

}  // namespace vantry::inspect

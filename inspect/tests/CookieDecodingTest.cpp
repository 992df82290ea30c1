#include "inspect/CookieDecoding.h"

#include <gtest/gtest.h>

#include "cache/store/CookieFile.h"
#include "inspect/tests/BrowserSamples.h"

namespace vantry::inspect {

namespace {

TEST(CookieTextLines, SplitsAtSemicolonsIntoOneLinePerPart) {
  struct Row {
    const char* text;
    std::vector<std::string> expected;
    const char* note;
  } rows[] = {
      {"", {"Set One: "}, ""},
      {"a=1", {"Set One: a=1"}, ""},
      {"a=1; b=2", {"Set One: a=1", "Set Two:  b=2"}, ""},
      {"a=1; b=2; c=3", {"Set One: a=1", "Set Two: # b=2", "Set Three:  c=3"}, ""},
      {"a=1; b=2; c=3; d=4", {"Set One: a=1", "Set Two: # b=2", "Set Three: # c=3", "Set Four:  d=4"}, ""},
      {"a=1; b=2; c=3; d=4; e=5",
       {"Set One: a=1", "Set Two: # b=2", "Set Three: # c=3", "Set Four: # d=4", "Set Five:  e=5"},
       "Whole cookie text shown: 5 parts"},
      // A leading semicolon keeps the whole text on the first line.
      {";x=1", {"Set One: ;x=1", "Set Two: x=1"}, ""},
      {"a=1;", {"Set One: a=1", "Set Two: "}, ""},
      {"a;;b", {"Set One: a", "Set Two: #", "Set Three: b"}, ""},
  };
  for (const Row& row : rows) {
    PageText page = CookieTextLines(row.text);
    EXPECT_EQ(page.lines, row.expected) << row.text;
    EXPECT_EQ(page.note, row.note) << row.text;
  }
}

TEST(CookieTextLines, TwentyFourCookiesGiveTwentyFourLines) {
  std::string text;
  for (int i = 0; i < 24; ++i) text += (i ? "; c" : "c") + std::to_string(i) + "=v";
  PageText page = CookieTextLines(text);
  ASSERT_EQ(page.lines.size(), 24u);
  EXPECT_EQ(page.lines[19], "Set Twenty: # c19=v");
  EXPECT_EQ(page.lines[20], "Set 21: # c20=v");
  EXPECT_EQ(page.lines[23], "Set 24:  c23=v");
  EXPECT_EQ(page.note, "Whole cookie text shown: 24 parts");
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

std::vector<std::string> Decode(std::string_view bytes) { return DecodeCookieFileLines(bytes).lines; }

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

TEST(DecodeCookieFileLines, SessionCookiesAndPercentEscapedValues) {
  cache::Cookie session = MakeCookie("sid", "a%20b%3Bc");
  session.expiry = 0;
  std::vector<std::string> lines = Decode(cache::FormatCookieFile({session}));
  std::vector<std::string> expected = {
      "Cookie-Entry Nr. 0 :",
      "Originator = example.com/shop/",
      "name = sid has value = a%20b%3Bc",
      "decoded value = a b;c",
      "Cookie is secure = No",
      "Expiration Date: Session",
      "Creation Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 2000",
      "",
  };
  EXPECT_EQ(lines, expected);
  // "%" without two hexadecimal digits stays, and so does a value without escapes.
  EXPECT_EQ(Decode(cache::FormatCookieFile({MakeCookie("n", "100%25%zz")}))[3], "decoded value = 100%%zz");
  EXPECT_EQ(Decode(cache::FormatCookieFile({MakeCookie("n", "50%")}))[3], "Cookie is secure = No");
}

// Files of one, eight and twenty-four cookies: every record is there, field by field.
TEST(DecodeCookieFileLines, EveryCookieOfRealSizedFiles) {
  for (int count : {1, 8, 24}) {
    std::vector<cache::Cookie> cookies = ShopCookies(count);
    std::string file = cache::FormatCookieFile(cookies);
    PageText page = DecodeCookieFileLines(file);
    size_t line = 0;
    if (count > 1) {
      EXPECT_EQ(page.lines[line++], "There are " + std::to_string(count) + " entries in this cookie:");
    }
    for (int i = 0; i < count; ++i) {
      const cache::Cookie& cookie = cookies[i];
      ASSERT_LT(line + 6, page.lines.size()) << count;
      EXPECT_EQ(page.lines[line++], "Cookie-Entry Nr. " + std::to_string(i) + " :");
      EXPECT_EQ(page.lines[line++], "Originator = " + cookie.domain + cookie.path);
      EXPECT_EQ(page.lines[line++], "name = " + cookie.name + " has value = " + cookie.value.substr(0, 60));
      if (cookie.value.size() > 60) {
        EXPECT_EQ(page.lines[line++], cookie.value.substr(60));
      }
      if (cookie.value.find('%') != std::string::npos) {
        EXPECT_EQ(page.lines[line++], "decoded value = lang=en|theme=dark");
      }
      EXPECT_EQ(page.lines[line++], std::string("Cookie is secure = ") + (cookie.flags ? "Yes" : "No"));
      const std::string expiry = page.lines[line++];
      EXPECT_TRUE(cookie.expiry == 0 ? expiry == "Expiration Date: Session"
                                     : expiry.starts_with("Expiration Date:  Time: "))
          << expiry;
      EXPECT_TRUE(page.lines[line++].ends_with(",Date: 1, 1, 2025")) << i;
      EXPECT_EQ(page.lines[line++], "");
    }
    EXPECT_EQ(line, page.lines.size()) << count;
    bool pastOldLimits = count > 8 || file.size() > 1000;
    EXPECT_EQ(page.note, pastOldLimits ? "Whole cookie file shown: " + std::to_string(count) + " entries, " +
                                             std::to_string(file.size()) + " bytes"
                                       : "")
        << count;
  }
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
        "Expiration Date: Session", "Creation Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 1601", ""}},
      {"n\nv\nd/\n-3\nxyz\n4294967295\n99999999999\n0\n*\n",
       {"Cookie-Entry Nr. 0 :", "Originator = d/", "name = n has value = v", "Cookie is secure = Yes",
        "Expiration Date:  Time: 1sec : 29min : 5h ,Date: 28, 5, 60056",
        "Creation Date:  Time: 0sec : 0min : 0h ,Date: 1, 1, 1601", ""}},
  };
  for (const Row& row : rows) EXPECT_EQ(Decode(row.bytes), row.expected) << row.bytes;
}

TEST(DecodeCookieFileLines, LongRecordsAndCarriageReturnsAreReadWhole) {
  const std::string value(300, 'v');
  std::string record = "n\n" + value + "\nd/\n1\n0\n0\n0\n0\n*\n";
  PageText page = DecodeCookieFileLines(record);
  ASSERT_GE(page.lines.size(), 5u);
  EXPECT_EQ(page.lines[1], "Originator = d/");
  EXPECT_EQ(page.lines[2], "name = n has value = " + value.substr(0, 60));
  EXPECT_EQ(page.lines[3], value.substr(60));
  EXPECT_EQ(page.lines[4], "Cookie is secure = Yes");
  EXPECT_EQ(page.note, "Whole cookie file shown: 1 entries, " + std::to_string(record.size()) + " bytes");

  // A file written with CR LF line ends reads as one written with LF.
  std::string lf = cache::FormatCookieFile({MakeCookie("a", "1"), MakeCookie("b", "2")});
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(Decode(crlf), Decode(lf));
}

TEST(DecodeCookieFileLines, EveryTruncatedPrefixDecodesWhatIsComplete) {
  std::vector<cache::Cookie> cookies;
  for (int i = 0; i < 10; ++i) cookies.push_back(MakeCookie("name" + std::to_string(i), std::string(i * 9, 'q'), i));
  std::string text = cache::FormatCookieFile(cookies) + "garbage\n*";
  for (size_t length = 0; length <= text.size(); ++length) {
    std::string_view seen = std::string_view(text).substr(0, length);
    std::vector<std::string> lines = Decode(seen);
    size_t complete = 0;
    for (size_t pos = seen.find("\n*\n"); pos != std::string_view::npos; pos = seen.find("\n*\n", pos + 3)) ++complete;
    if (complete == 0) {
      EXPECT_TRUE(lines.empty()) << length;
    } else if (complete == 1) {
      EXPECT_EQ(lines[0], "Cookie-Entry Nr. 0 :") << length;
    } else {
      EXPECT_EQ(lines[0], "There are " + std::to_string(complete) + " entries in this cookie:") << length;
    }
  }
}

}  // namespace

}  // namespace vantry::inspect

#include "import/Utf8Escape.h"

#include <gtest/gtest.h>

namespace vantry::import {
namespace {

TEST(Utf8EscapeTest, OnlyWellFormedUtf8IsValid) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"plain ascii", true},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", true},
      {"\xf4\x8f\xbf\xbf", true},  // U+10FFFF, the last code point
      {"caf\xe9", false},
      {"\xc0\x80", false},          // overlong NUL
      {"\xe0\x80\xaf", false},      // overlong '/'
      {"\xed\xa0\x80", false},      // a surrogate
      {"\xf4\x90\x80\x80", false},  // past U+10FFFF
      {"\xe2\x82", false},          // cut short
      {"\x80", false},
      {"\xff", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidUtf8(text), valid) << ::testing::PrintToString(text);
}

TEST(Utf8EscapeTest, EscapedTextIsValidAndGivesBackEveryByte) {
  std::string everyByte;
  for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
  const std::string cases[] = {"",
                               "caf\xe9",
                               "\xc3(",
                               "\xe2\x82",
                               "\xed\xa0\x80",
                               "ok \xc3\xa9 \xff\xfe end",
                               everyByte,
                               everyByte + everyByte.substr(0, 200)};
  for (const std::string& text : cases) {
    std::string escaped = EscapeInvalidUtf8(text);
    EXPECT_TRUE(IsValidUtf8(escaped)) << ::testing::PrintToString(text);
    EXPECT_EQ(RestoreEscapedBytes(escaped), text) << ::testing::PrintToString(text);
    if (IsValidUtf8(text)) {
      EXPECT_EQ(escaped, text);
    }
  }
}

TEST(Utf8EscapeTest, OffsetsInTheEscapedTextMapBackToTheOriginal) {
  const std::string escaped = EscapeInvalidUtf8(
      "a\xe9"
      "b\xe9"
      "c");  // a, 4 bytes, b, 4 bytes, c
  ASSERT_EQ(escaped.size(), 11u);
  const std::pair<size_t, size_t> cases[] = {{0, 0}, {1, 1}, {5, 2}, {6, 3}, {10, 4}, {11, 5}};
  for (const auto& [offset, original] : cases) EXPECT_EQ(OffsetBeforeEscaping(escaped, offset), original) << offset;
}

}  // namespace
}  // namespace vantry::import

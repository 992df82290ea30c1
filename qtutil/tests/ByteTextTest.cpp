#include "qtutil/ByteText.h"

#include <gtest/gtest.h>

namespace vantry::qtutil {

namespace {

// Bytes that are not valid UTF-8 as a whole show each byte as its Latin-1 character.
QString Latin1(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

TEST(ByteText, Utf8OrElseEveryByteAsLatin1) {
  struct Row {
    std::string bytes;
    QString expected;
  } rows[] = {
      {"", ""},
      {"plain", "plain"},
      {"caf\xc3\xa9", QString::fromUtf8("caf\xc3\xa9")},
      {"\xe2\x82\xac 5", QString(QChar(0x20AC)) + " 5"},          // euro sign
      {"\xf0\x9f\x98\x80", QString::fromUcs4(U"\U0001F600", 1)},  // four bytes
      {std::string("a\0b", 3), QString("a") + QChar(0) + "b"},
      {"caf\xe9", Latin1("caf\xe9")},              // Latin-1 byte
      {"\xc3", Latin1("\xc3")},                    // cut short
      {"\xc0\xaf", Latin1("\xc0\xaf")},            // overlong
      {"\xed\xa0\x80", Latin1("\xed\xa0\x80")},    // surrogate
      {"\xe2\x82x", Latin1("\xe2\x82x")},          // bad continuation
      {"\xc3\xa9 \xe9", Latin1("\xc3\xa9 \xe9")},  // one bad byte decides
  };
  for (const Row& row : rows) EXPECT_EQ(QStringFromBytes(row.bytes), row.expected) << row.bytes;
}

TEST(ByteText, TypedTextBecomesUtf8AndComesBackUnchanged) {
  const QString typed = QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(BytesFromQString(typed), "caf\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(QStringFromBytes(BytesFromQString(typed)), typed);
  EXPECT_EQ(BytesFromQString(""), "");
}

}  // namespace

}  // namespace vantry::qtutil

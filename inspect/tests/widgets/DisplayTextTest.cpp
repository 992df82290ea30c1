#include "DisplayText.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayText, Utf8WithLatin1ForInvalidSequences) {
  struct Row {
    std::string bytes;
    QString expected;
  } rows[] = {
      {"plain", "plain"},
      {"caf\xc3\xa9", QString::fromUtf8("caf\xc3\xa9")},
      {"caf\xe9", QString("caf") + QChar(0xE9)},                          // Latin-1 byte
      {"\xe2\x82\xac 5", QString(QChar(0x20AC)) + " 5"},                  // euro sign
      {"\xf0\x9f\x98\x80", QString::fromUcs4(U"\U0001F600", 1)},          // four bytes
      {"\xc3", QString(QChar(0xC3))},                                     // cut short
      {"\xc0\xaf", QString(QChar(0xC0)) + QChar(0xAF)},                   // overlong
      {"\xed\xa0\x80", QString(QChar(0xED)) + QChar(0xA0) + QChar(0x80)}, // surrogate
      {"\xe2\x82x", QString(QChar(0xE2)) + QChar(0x82) + "x"},            // bad continuation
      {std::string("a\0b", 3), QString("a") + QChar(0) + "b"},
  };
  for (const Row& row : rows) EXPECT_EQ(DisplayText(row.bytes), row.expected) << row.bytes;
}

}  // namespace

#include "dates/DateField.h"

#include <gtest/gtest.h>

#include "testing/TestEnvironment.h"

namespace vantry::dates {
namespace {

TEST(DateField, InsertsSeparatorsIntoBareDigitRuns) {
  const struct {
    const char* text;
    const char* expected;
  } rows[] = {
      {"010203", "01/02/03"},
      {"010199", "01/01/99"},
      {"01011999", "01/01/1999"},
      {"12345678901", "12/34/5678901"},
      {"123456789012", "123456789012"},
      {"12345", "12345"},
      {"", ""},
      {"01/0203", "01/0203"},
      {"01.02.2003", "01.02.2003"},
      {"1-2345", "1-2345"},
      {"ab12cd", "ab/12/cd"},
  };
  for (const auto& row : rows) EXPECT_EQ(InsertDateSeparators(row.text), row.expected) << row.text;
}

TEST(DateField, AcceptsOrRejectsTheConfirmedText) {
  const struct {
    const char* text;
    int formatCode;
    const char* fieldText;
    bool accepted;
  } rows[] = {
      {"", 1, "", true},
      {"1/2/3", 1, "1/2/3", false},
      {"01/02/03", 1, "01/02/03", true},
      {"010203", 1, "01/02/03", true},
      {"01011999", 2, "01/01/1999", true},
      {"31.12.99", 2, "31.12.99", true},
      {"31.12.99", 1, "31.12.99", false},
      {"29/02/2000", 2, "29/02/2000", true},
      {"29/02/1900", 2, "29/02/1900", false},
      {"12-31-2019", 1, "12-31-2019", true},
      {"12-31-2019", 2, "12-31-2019", false},
      {"2019.12.31", 5, "2019.12.31", true},
      {"01/0203", 1, "01/0203", false},
      {"003/01", 2, "003/01", true},
      {"01/02/O3", 1, "01/02/O3", false},
      {"01 02 03", 1, "01/ 0/2 03", false},
      {"123456789012", 1, "123456789012", false},
      {"133199", 1, "13/31/99", false},
      {"01/01/99999999", 1, "01/01/99999999", false},
      {"//////", 1, "//////", false},
      {"12/31/2019", 9, "12/31/2019", false},
  };
  for (const auto& row : rows) {
    const DateFieldCheck check = CheckDateField(row.text, row.formatCode);
    SCOPED_TRACE(row.text);
    EXPECT_EQ(check.text, row.fieldText);
    EXPECT_EQ(check.Accepted(), row.accepted);
    EXPECT_EQ(check.message, row.accepted ? "" : "Invalid Date or Format");
    EXPECT_EQ(IsAcceptableDateText(check.text, row.formatCode), row.accepted);
  }
}

TEST(DateField, UsesTheStoredPreferenceByDefault) {
  EXPECT_FALSE(CheckDateField("31.12.99").Accepted());
  const testing::StoredDateFormat ddmmyy(1);
  EXPECT_TRUE(CheckDateField("31.12.99").Accepted());
  EXPECT_EQ(CheckDateField("311299").text, "31/12/99");
  EXPECT_TRUE(CheckDateField("311299").Accepted());
}

}  // namespace
}  // namespace vantry::dates

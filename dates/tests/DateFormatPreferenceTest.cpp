#include "dates/DateFormatPreference.h"

#include <gtest/gtest.h>

#include "testing/TestEnvironment.h"

namespace vantry::dates {
namespace {

TEST(DateFormatPreference, IsZeroUntilTheApplicationSetsIt) {
  EXPECT_EQ(DateFormatPreference(), 0);
  EXPECT_EQ(PreferredFormatCode(), 1);
}

TEST(DateFormatPreference, FormatCodeIsStoredValuePlusOne) {
  for (int stored = 0; stored <= 3; ++stored) {
    const testing::StoredDateFormat format(stored);
    EXPECT_EQ(DateFormatPreference(), stored);
    EXPECT_EQ(PreferredFormatCode(), stored + 1);
  }
}

TEST(DateFormatPreference, NamesOfTheStoredValues) {
  const struct {
    int stored;
    const char* name;
  } rows[] = {{0, "MMDDYY"}, {1, "DDMMYY"}, {2, "MMDDYYYY"}, {3, "DDMMYYYY"}, {-1, ""}, {4, ""}};
  for (const auto& row : rows) EXPECT_EQ(DateFormatName(row.stored), row.name) << row.stored;
}

}  // namespace
}  // namespace vantry::dates

#include "dates/Tokenizer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vantry::dates {
namespace {

std::vector<std::string> AllTokens(const Tokenizer& tokenizer) {
  std::vector<std::string> tokens;
  for (int i = 1; i <= tokenizer.Count(); ++i) tokens.push_back(tokenizer.Token(i));
  return tokens;
}

TEST(Tokenizer, SplitsAtEverySeparator) {
  using Tokens = std::vector<std::string>;
  const struct {
    const char* text;
    const char* separators;
    bool quoteMode;
    Tokens tokens;
  } rows[] = {
      {"01/02/03", "/.-", false, {"01", "02", "03"}},
      {"31.12.99", "/.-", false, {"31", "12", "99"}},
      {"12-31-2019", "/.-", false, {"12", "31", "2019"}},
      {"01/0203", "/.-", false, {"01", "0203"}},
      {"a//b", "/", false, {"a", "", "b"}},
      {"/a/", "/", false, {"", "a", ""}},
      {"", "/", false, {""}},
      {"abc", "", false, {"abc"}},
      {"1/2.3-4", "/.-", false, {"1", "2", "3", "4"}},
      // Only the first nine separator characters count: "j" is the tenth.
      {"xjy", "abcdefghij", false, {"xjy"}},
      {"xiy", "abcdefghij", false, {"x", "y"}},
      {"\"a b\",c", ",", true, {"a b", "c"}},
      {"\"a b\",c", ",", false, {"\"a b\"", "c"}},
      {"\"\"", ",", true, {""}},
  };
  for (const auto& row : rows) {
    const Tokenizer tokenizer(row.text, row.separators, row.quoteMode);
    EXPECT_EQ(AllTokens(tokenizer), row.tokens) << row.text;
  }
}

TEST(Tokenizer, IndexOutsideTheTokensGivesEmptyToken) {
  const Tokenizer tokenizer("a/b", "/");
  ASSERT_EQ(tokenizer.Count(), 2);
  EXPECT_EQ(tokenizer.Token(0), "");
  EXPECT_EQ(tokenizer.Token(-1), "");
  EXPECT_EQ(tokenizer.Token(3), "");
  EXPECT_EQ(tokenizer.Token(2), "b");
}

}  // namespace
}  // namespace vantry::dates

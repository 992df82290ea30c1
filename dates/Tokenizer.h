#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantry::dates {

// Splits text at every character of a separator set. Adjacent separators give empty
// tokens, so the token count is always the number of separators plus one.
class Tokenizer {
 public:
  static constexpr std::size_t kMaxSeparators = 9;

  // Only the first kMaxSeparators characters of `separators` are used.
  // In quote mode double-quote characters are dropped from the tokens.
  Tokenizer(std::string_view text, std::string_view separators, bool quoteMode = false);

  int Count() const { return static_cast<int>(tokens_.size()); }

  // 1-based; an index outside 1..Count() gives an empty token.
  const std::string& Token(int index) const;

 private:
  std::vector<std::string> tokens_;
};

}  // namespace vantry::dates

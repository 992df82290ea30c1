#include "dates/Tokenizer.h"

namespace vantry::dates {

Tokenizer::Tokenizer(std::string_view text, std::string_view separators, bool quoteMode) {
  separators = separators.substr(0, kMaxSeparators);
  tokens_.emplace_back();
  for (const char c : text) {
    if (separators.find(c) != std::string_view::npos) {
      tokens_.emplace_back();
    } else if (!(quoteMode && c == '"')) {
      tokens_.back().push_back(c);
    }
  }
}

const std::string& Tokenizer::Token(int index) const {
  static const std::string kEmpty;
  if (index < 1 || index > Count()) return kEmpty;
  return tokens_[static_cast<std::size_t>(index - 1)];
}

}  // namespace vantry::dates

#include "archive/CssReferences.h"

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '\\' || static_cast<unsigned char>(c) >= 0x80;
}

// The end of the string that opens at `open` (its closing quote, or where it breaks off).
std::size_t StringEnd(std::string_view css, std::size_t open) {
  const char quote = css[open];
  std::size_t at = open + 1;
  while (at < css.size() && css[at] != quote && css[at] != '\n') at += css[at] == '\\' ? 2 : 1;
  return at < css.size() ? at : css.size();
}

std::size_t SkipSpace(std::string_view css, std::size_t at) {
  while (at < css.size() && text::IsAsciiSpace(css[at])) ++at;
  return at;
}

}  // namespace

std::vector<CssReference> FindCssReferences(std::string_view css) {
  std::vector<CssReference> found;
  bool afterImport = false;  // the next string names an imported sheet
  std::size_t at = 0;
  while (at < css.size()) {
    const char c = css[at];
    if (c == '/' && at + 1 < css.size() && css[at + 1] == '*') {
      const std::size_t close = css.find("*/", at + 2);
      at = close == std::string_view::npos ? css.size() : close + 2;
    } else if (c == '"' || c == '\'') {
      const std::size_t close = StringEnd(css, at);
      if (afterImport) found.push_back({at + 1, close});
      afterImport = false;
      at = close + 1;
    } else if ((c == 'u' || c == 'U') && text::StartsWithNoCase(css.substr(at), "url(") &&
               (at == 0 || !IsNameCharacter(css[at - 1]))) {
      std::size_t value = SkipSpace(css, at + 4);
      if (value < css.size() && (css[value] == '"' || css[value] == '\'')) {
        const std::size_t close = StringEnd(css, value);
        found.push_back({value + 1, close});
        at = close + 1;
      } else {
        std::size_t end = value;
        while (end < css.size() && css[end] != ')' && !text::IsAsciiSpace(css[end])) ++end;
        found.push_back({value, end});
        at = end;
      }
      afterImport = false;
    } else if (c == '@' && text::StartsWithNoCase(css.substr(at), "@import") &&
               (at + 7 >= css.size() || !IsNameCharacter(css[at + 7]))) {
      afterImport = true;
      at += 7;
    } else {
      if (!text::IsAsciiSpace(c)) afterImport = false;
      ++at;
    }
  }
  return found;
}

}  // namespace vantry::archive

#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vantry::archive {

// One attribute of a start tag, with the place of its value in the page.
struct HtmlAttribute {
  std::string_view name;   // as written (compare ignoring case)
  std::size_t valueBegin;  // the raw value, quotes excluded
  std::size_t valueEnd;
  char quote;  // '"', '\'' or 0 for an unquoted or missing value
};

// A start tag found in a page.
struct HtmlStartTag {
  std::string_view name;  // as written (compare ignoring case)
  std::vector<HtmlAttribute> attributes;
  std::size_t end = 0;  // just past its '>'
  // For the elements whose content is raw text (script, style, textarea, ...): that text.
  std::size_t textBegin = 0;
  std::size_t textEnd = 0;
};

// Walks the start tags of an HTML page the way a browser's tokenizer finds them: comments,
// doctypes, end tags and the raw text of script and style elements are passed over, attribute
// values may be quoted or not, names are compared ignoring case. A tag cut off by the end of the
// page is not reported.
class HtmlTagReader {
 public:
  explicit HtmlTagReader(std::string_view html) : html_(html) {}

  // The next start tag, or false at the end of the page. `tag` is reused between calls.
  bool Next(HtmlStartTag& tag);

  std::string_view html() const { return html_; }

 private:
  bool ReadStartTag(std::size_t nameBegin, HtmlStartTag& tag);
  bool ReadAttributes(HtmlStartTag& tag);
  void SkipRawText(HtmlStartTag& tag);

  std::string_view html_;
  std::size_t pos_ = 0;
};

// The value of the first attribute called `name` (ignoring case), or nothing.
const HtmlAttribute* FindAttribute(const HtmlStartTag& tag, std::string_view name);

}  // namespace vantry::archive

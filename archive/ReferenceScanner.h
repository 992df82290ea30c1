#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace vantry::archive {

// What a reference asks of the page's reader.
enum class ReferenceRole {
  kLink,       // a document the reader may go to (a, area, form, refresh, other link relations)
  kRequisite,  // a file the page shows or runs (images, style sheets, icons, scripts, media)
  kFrame,      // a document the page shows inside itself (frame, iframe)
};

// How the value that holds the reference is written.
enum class ValueKind {
  kUrl,      // the value is one address
  kSrcset,   // a srcset list: addresses with size descriptors
  kStyle,    // CSS text: a style attribute or the content of a <style> element
  kBase,     // <base href>: the address the page's references are read from
  kRefresh,  // <meta http-equiv=refresh content="N; url=...">
};

// One value of a page that holds references. For attributes the range is the raw value
// (quotes excluded, character references not yet decoded); for a <style> element its text.
struct HtmlReference {
  std::size_t begin;
  std::size_t end;
  char quote;  // '"', '\'' or 0 (unquoted attribute, or element text)
  bool attribute;
  ValueKind kind;
  ReferenceRole role;
};

// Every value of the page that holds a reference, in page order.
std::vector<HtmlReference> FindHtmlReferences(std::string_view html);

// Calls `take(begin, end)` with the place of each address in a srcset value, in order.
void ForEachSrcsetAddress(std::string_view srcset, const std::function<void(std::size_t, std::size_t)>& take);

// The place of the address in a refresh value ("5; url=next.html"), or begin == end when it
// names none.
struct TextRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};
TextRange RefreshAddress(std::string_view content);

}  // namespace vantry::archive

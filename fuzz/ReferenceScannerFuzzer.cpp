// Page text as a copy reads it for references: the HTML scanner, style sheets, srcset and
// refresh values. Every place found lies inside the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "archive/CssReferences.h"
#include "archive/ReferenceScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::archive;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto inside = [&](size_t begin, size_t end) {
    if (begin > end || end > text.size()) std::abort();
  };
  FindHtmlReferences(text);
  FindCssReferences(text);
  ForEachSrcsetAddress(text, inside);
  const TextRange refresh = RefreshAddress(text);
  inside(refresh.begin, refresh.end);
  return 0;
}

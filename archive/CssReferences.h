#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vantry::archive {

// The place of one address in a style sheet, quotes excluded.
struct CssReference {
  std::size_t begin;
  std::size_t end;
};

// The addresses a style sheet, a <style> block or a style attribute names: every url(...)
// (quoted or not) and the string form of @import. Comments and other strings are passed over.
std::vector<CssReference> FindCssReferences(std::string_view css);

}  // namespace vantry::archive

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantry::import {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text);

// `text` made well-formed for a reader that takes only UTF-8: each byte that is not
// part of a valid sequence becomes the code point U+10FF00 + byte (private use), which
// RestoreEscapedBytes turns back into that byte (as it does those code points where the
// text held them itself).
std::string EscapeInvalidUtf8(std::string_view text);
std::string RestoreEscapedBytes(std::string_view text);

// The offset in the original text of `offset` in the text EscapeInvalidUtf8 made of it.
size_t OffsetBeforeEscaping(std::string_view escaped, size_t offset);

}  // namespace vantry::import

#include "import/Utf8Escape.h"

namespace vantry::import {

namespace {

// An escaped byte is F4 8F BE|BF xx: U+10FF80 to U+10FFFF.
constexpr size_t kEscapeSize = 4;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid sequence at `i`, 0 when the byte there starts none.
size_t SequenceLength(std::string_view text, size_t i) {
  auto at = [&](size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
  unsigned char c = at(0);
  if (c < 0x80) return 1;
  // The allowed range of the second byte narrows where overlong forms, surrogates or
  // code points past U+10FFFF would begin.
  unsigned char low = 0x80, high = 0xBF;
  size_t length;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size() || at(1) < low || at(1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (!IsContinuation(at(k))) return 0;
  return length;
}

bool IsEscape(std::string_view text, size_t i) {
  return i + kEscapeSize <= text.size() && static_cast<unsigned char>(text[i]) == 0xF4 &&
         static_cast<unsigned char>(text[i + 1]) == 0x8F && (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE &&
         IsContinuation(static_cast<unsigned char>(text[i + 3]));
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    size_t length = SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string EscapeInvalidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (size_t length = SequenceLength(text, i)) {
      out.append(text, i, length);
      i += length;
      continue;
    }
    auto byte = static_cast<unsigned char>(text[i++]);  // 0x80 or more: lower bytes are valid alone
    out += '\xF4';
    out += '\x8F';
    out += static_cast<char>(0xBE | ((byte >> 6) & 1));
    out += static_cast<char>(0x80 | (byte & 0x3F));
  }
  return out;
}

std::string RestoreEscapedBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (!IsEscape(text, i)) {
      out += text[i++];
      continue;
    }
    unsigned char third = static_cast<unsigned char>(text[i + 2]), fourth = static_cast<unsigned char>(text[i + 3]);
    out += static_cast<char>(0x80 | ((third & 1) << 6) | (fourth & 0x3F));
    i += kEscapeSize;
  }
  return out;
}

size_t OffsetBeforeEscaping(std::string_view escaped, size_t offset) {
  size_t original = 0;
  for (size_t i = 0; i < offset && i < escaped.size(); ++original) i += IsEscape(escaped, i) ? kEscapeSize : 1;
  return original;
}

}  // namespace vantry::import

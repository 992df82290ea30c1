#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Byte-text helpers. Case folding is ASCII only: text is 8-bit and never re-encoded.
namespace vantry::text {

inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
std::string ToLowerAscii(std::string_view text);

bool StartsWithNoCase(std::string_view text, std::string_view prefix);
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

// Position of the first case-insensitive occurrence of `needle` at or after `from`, or npos.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);
bool ContainsNoCase(std::string_view text, std::string_view needle);

// The value of a hexadecimal digit, or -1.
int HexDigitValue(char c);

// `text` with each escape of two hexadecimal digits ("%2F") replaced by its byte; any other '%' stays.
std::string PercentDecoded(std::string_view text);

// The blanks of HTML and CSS: space, tab, line feed, carriage return, form feed.
inline bool IsAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Replaces every line feed and carriage return by a blank, so that a value fits one line of a
// line-based archive file.
std::string OnOneLine(std::string_view text);

}  // namespace vantry::text

#include "text/AsciiText.h"

namespace vantry::text {

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i] && UpperAscii(text[i]) != UpperAscii(prefix[i])) return false;
  }
  return true;
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  const char first = UpperAscii(needle[0]);
  for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (UpperAscii(text[i]) == first && StartsWithNoCase(text.substr(i), needle)) return i;
  }
  return std::string_view::npos;
}

bool ContainsNoCase(std::string_view text, std::string_view needle) {
  return FindNoCase(text, needle) != std::string_view::npos;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexDigitValue(text[i + 1]);
      const int low = HexDigitValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    decoded += text[i];
  }
  return decoded;
}

std::string OnOneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

}  // namespace vantry::text

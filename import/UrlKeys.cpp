#include "import/UrlKeys.h"

#include <vector>

#include "text/AsciiText.h"

namespace vantry::import {

std::optional<std::string> UrlFromFirefoxKey(std::string_view key) {
  size_t pos = 0;
  while (pos < key.size()) {
    if (key[pos] == ':') return std::string(key.substr(pos + 1));
    // Skip one tag: it ends at a single comma; a doubled comma belongs to its value.
    size_t end = pos;
    for (;;) {
      end = key.find(',', end);
      if (end == std::string_view::npos) return std::nullopt;
      if (end + 1 < key.size() && key[end + 1] == ',') {
        end += 2;
        continue;
      }
      break;
    }
    pos = end + 1;
  }
  return std::nullopt;
}

static bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::optional<std::string> UrlFromChromiumKey(std::string_view key) {
  // Up to two leading numbers: the credential mode and the upload id.
  for (int i = 0; i < 2; ++i) {
    size_t slash = key.find('/');
    if (slash == std::string_view::npos || !IsDigits(key.substr(0, slash))) break;
    key.remove_prefix(slash + 1);
  }
  if (key.starts_with("_dk_")) {
    // Sites and URL are separated by blanks; a URL in a key never holds a blank.
    size_t blank = key.rfind(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    key.remove_prefix(blank + 1);
  }
  if (key.empty() || key.find(' ') != std::string_view::npos) return std::nullopt;
  return std::string(key);
}

bool IsChromiumUploadKey(std::string_view key) {
  std::vector<std::string_view> numbers;
  for (size_t slash; numbers.size() < 2 && (slash = key.find('/')) != std::string_view::npos;) {
    if (!IsDigits(key.substr(0, slash))) break;
    numbers.push_back(key.substr(0, slash));
    key.remove_prefix(slash + 1);
  }
  // "<credentials>/<upload id>/..." now, "<upload id>/..." in older builds.
  return !numbers.empty() && numbers.back().find_first_not_of('0') != std::string_view::npos;
}

bool IsWebAddress(std::string_view url) {
  return text::StartsWithNoCase(url, "http://") || text::StartsWithNoCase(url, "https://") ||
         text::StartsWithNoCase(url, "ftp://");
}

}  // namespace vantry::import

#include "archive/CopyNames.h"

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

void RemovePrefixNoCase(std::string& text, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes) {
    if (text::StartsWithNoCase(text, prefix)) {
      text.erase(0, prefix.size());
      return;
    }
  }
}

// True for a segment that names the folder itself or its parent once percent-decoded.
bool IsDotSegment(std::string_view segment) {
  std::size_t dots = 0;
  for (std::size_t i = 0; i < segment.size(); ++dots) {
    if (segment[i] == '.') {
      i += 1;
    } else if (text::StartsWithNoCase(segment.substr(i), "%2e")) {
      i += 3;
    } else {
      return false;
    }
  }
  return dots == 1 || dots == 2;
}

std::string SafeSegment(std::string_view segment) {
  std::string safe;
  if (IsDotSegment(segment)) {
    for (std::size_t i = 0; i < segment.size(); i += segment[i] == '.' ? 1 : 3) safe += '_';
    return safe;
  }
  safe.assign(segment);
  for (char& c : safe) {
    if (c == '\0') c = '_';
  }
  return safe;
}

}  // namespace

std::string FlatName(std::string_view url) {
  std::string name(url);
  RemovePrefixNoCase(name, {"http:// ", "https:// "});
  RemovePrefixNoCase(name, {"http://", "http: ", "http:", "https://", "https: ", "https:"});
  const std::size_t lastDot = name.rfind('.');
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '\\' || c == '/' || (c == '.' && i != lastDot)) name[i] = '_';
  }
  return name;
}

std::string LegalName(std::string_view name) {
  std::string legal(name);
  for (char& c : legal) {
    switch (static_cast<unsigned char>(c)) {
      case 0xB0:
      case '^':
      case 0xA7:
      case '?':
      case '*':
      case '<':
      case '>':
      case ':':
      case '"':
      case '\\':
      case '|':
        c = '_';
        break;
      default:
        break;
    }
  }
  return legal;
}

std::string HtmlExtension(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || !text::EqualsNoCase(path.substr(dot + 1), "asp")) {
    return std::string(path);
  }
  return std::string(path.substr(0, dot)) + ".html";
}

std::string ToBackslashes(std::string_view path) {
  std::string converted(path);
  for (char& c : converted) {
    if (c == '\\') c = '/';
  }
  return converted;
}

std::string SafeRelativeFolder(std::string_view folders) {
  std::string safe;
  while (!folders.empty()) {
    const std::size_t slash = folders.find('/');
    const std::string_view segment = folders.substr(0, slash);
    if (!segment.empty()) {
      if (!safe.empty()) safe += '/';
      safe += SafeSegment(segment);
    }
    if (slash == std::string_view::npos) break;
    folders.remove_prefix(slash + 1);
  }
  return safe;
}

std::string SafeFileName(std::string_view name) { return SafeSegment(name); }

}  // namespace vantry::archive

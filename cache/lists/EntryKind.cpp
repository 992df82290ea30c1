#include "cache/lists/EntryKind.h"

#include <string>
#include <utility>

#include "text/AsciiText.h"

namespace vantry::cache {

namespace {

constexpr std::pair<std::string_view, EntryKind> kExtensions[] = {
    {"htm", EntryKind::Page},   {"html", EntryKind::Page},      {"shtml", EntryKind::Page}, {"xhtml", EntryKind::Page},
    {"asp", EntryKind::Page},   {"aspx", EntryKind::Page},      {"php", EntryKind::Page},   {"jsp", EntryKind::Page},
    {"cgi", EntryKind::Page},   {"gif", EntryKind::Image},      {"jpg", EntryKind::Image},  {"jpeg", EntryKind::Image},
    {"png", EntryKind::Image},  {"ico", EntryKind::Image},      {"bmp", EntryKind::Image},  {"webp", EntryKind::Image},
    {"svg", EntryKind::Image},  {"avif", EntryKind::Image},     {"xbm", EntryKind::Image},  {"js", EntryKind::Script},
    {"mjs", EntryKind::Script}, {"css", EntryKind::StyleSheet},
};

// The last segment of an address's path, without query and fragment.
std::string_view LastPathSegment(std::string_view address, size_t pathStart) {
  std::string_view path = address.substr(pathStart);
  path = path.substr(0, path.find_first_of("?#"));
  return path.substr(path.rfind('/') + 1);
}

}  // namespace

EntryKind KindOfListText(std::string_view text) {
  if (text::StartsWithNoCase(text, "Cookie:")) return EntryKind::Cookie;
  if (text::StartsWithNoCase(text, "Visited:")) return EntryKind::History;
  const size_t scheme = text.find("://");
  if (scheme == std::string_view::npos) return EntryKind::Other;
  const size_t path = text.find_first_of("/?#", scheme + 3);
  if (path == std::string_view::npos || text[path] != '/') return EntryKind::Page;
  const std::string_view segment = LastPathSegment(text, path);
  const size_t dot = segment.rfind('.');
  if (dot == std::string_view::npos) return EntryKind::Page;
  const std::string extension = text::ToLowerAscii(segment.substr(dot + 1));
  for (const auto& [known, kind] : kExtensions)
    if (extension == known) return kind;
  return EntryKind::Other;
}

}  // namespace vantry::cache

#include "archive/LocalNames.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "archive/DocumentKind.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::size_t kMaxNameBytes = 200;

// Length of the valid UTF-8 sequence of two or more bytes at the start of `text`, else 0.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool IsForbiddenInNames(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '/' || c == '#' || c == '%' || c == ' ';
}

// Forbidden characters and everything the legal-name filter replaces become '_'.
std::string SafeName(std::string_view decoded) {
  std::string safe = LegalName(decoded);
  for (char& c : safe) {
    if (IsForbiddenInNames(static_cast<unsigned char>(c))) c = '_';
  }
  return safe;
}

bool IsExtensionCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

struct TypeExtensions {
  std::string_view type;
  std::string_view extensions;  // blank separated, the first is the one a name gets
  bool strict;                  // a name with another extension gains this one too
};

constexpr std::array<TypeExtensions, 32> kTypeExtensions{{
    {"text/html", "html htm shtml", true},
    {"application/xhtml+xml", "xhtml xht html htm", true},
    {"text/css", "css", true},
    {"image/gif", "gif", true},
    {"image/png", "png", true},
    {"image/jpeg", "jpg jpeg jpe jfif", true},
    {"image/pjpeg", "jpg jpeg", true},
    {"image/webp", "webp", true},
    {"image/avif", "avif", true},
    {"image/svg+xml", "svg svgz", true},
    {"image/x-icon", "ico", true},
    {"image/vnd.microsoft.icon", "ico", true},
    {"image/bmp", "bmp", true},
    {"text/javascript", "js mjs", false},
    {"application/javascript", "js mjs", false},
    {"application/x-javascript", "js mjs", false},
    {"text/plain", "txt", false},
    {"text/xml", "xml", false},
    {"application/xml", "xml", false},
    {"application/json", "json", false},
    {"text/csv", "csv", false},
    {"application/pdf", "pdf", false},
    {"font/woff", "woff", false},
    {"font/woff2", "woff2", false},
    {"application/font-woff", "woff", false},
    {"font/ttf", "ttf", false},
    {"font/otf", "otf", false},
    {"video/mp4", "mp4", false},
    {"video/webm", "webm", false},
    {"audio/mpeg", "mp3", false},
    {"audio/ogg", "ogg", false},
    {"application/wasm", "wasm", false},
}};

const TypeExtensions* ExtensionsOf(std::string_view contentType) {
  const std::string_view type = MediaTypeOf(contentType);
  for (const TypeExtensions& entry : kTypeExtensions) {
    if (text::EqualsNoCase(entry.type, type)) return &entry;
  }
  return nullptr;
}

bool ListsExtension(std::string_view extensions, std::string_view extension) {
  while (!extensions.empty()) {
    const std::size_t blank = extensions.find(' ');
    if (text::EqualsNoCase(extensions.substr(0, blank), extension)) return true;
    if (blank == std::string_view::npos) break;
    extensions.remove_prefix(blank + 1);
  }
  return false;
}

std::string Hash8(std::string_view text) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", hash);
  return hex;
}

// Cuts `text` to at most `bytes` bytes without splitting a UTF-8 letter.
std::string_view CutAtLetter(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}

std::string FlatServerName(const UrlParts& parts) {
  std::string name = ServerFolderName(parts);
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

}  // namespace

std::string LegalName(std::string_view name) {
  std::string legal;
  legal.reserve(name.size());
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t letter = Utf8SequenceLength(name.substr(at));
    if (letter != 0) {
      const std::string_view sequence = name.substr(at, letter);
      legal += sequence == "\xC2\xB0" || sequence == "\xC2\xA7" ? std::string_view("_") : sequence;
      at += letter;
      continue;
    }
    switch (static_cast<unsigned char>(name[at])) {
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
        legal += '_';
        break;
      default:
        legal += name[at];
        break;
    }
    ++at;
  }
  return legal;
}

std::string LocalSegment(std::string_view raw) {
  std::string name = SafeName(text::PercentDecoded(raw));
  if (name == "." || name == "..") std::fill(name.begin(), name.end(), '_');
  return name;
}

NameParts SplitName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size() || name.size() - dot > 11 ||
      !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(dot) + 1, name.end(), IsExtensionCharacter)) {
    return {std::string(name), {}, std::nullopt};
  }
  return {std::string(name.substr(0, dot)), std::string(name.substr(dot)), std::nullopt};
}

std::string ComposeName(const NameParts& parts, std::string_view contentType) {
  std::string stem = parts.stem;
  std::string extension = parts.extension;
  const std::string_view bare = extension.empty() ? std::string_view() : std::string_view(extension).substr(1);
  const TypeExtensions* type = ExtensionsOf(contentType);
  const bool page = type != nullptr && type->type.ends_with("html");
  if (text::EqualsNoCase(bare, "asp") && (type == nullptr || page)) {
    extension = ".html";
  } else if (type != nullptr && !ListsExtension(type->extensions, bare)) {
    if (!extension.empty() && !type->strict) {
      // An extension of its own is kept where browsers go by content, not by name.
    } else {
      stem += extension;
      extension = "." + std::string(type->extensions.substr(0, type->extensions.find(' ')));
    }
  }
  std::string middle = stem;
  if (parts.query) middle += "@" + SafeName(text::PercentDecoded(*parts.query));
  if (middle.size() + extension.size() > kMaxNameBytes) {
    middle = std::string(CutAtLetter(middle, kMaxNameBytes - extension.size() - 9)) + "~" + Hash8(middle);
  }
  return middle + extension;
}

std::string NumberedName(std::string_view name, int n) {
  const NameParts parts = SplitName(name);
  return parts.stem + "~" + std::to_string(n) + parts.extension;
}

std::string ServerFolderName(const UrlParts& server) {
  std::string name = server.scheme == "http" ? "" : server.scheme + "_";
  name += SafeName(text::ToLowerAscii(server.server));
  if (server.port != DefaultPort(server.scheme)) name += "_" + std::to_string(server.port);
  return name;
}

TreeLocation TreeLocationOf(const UrlParts& parts, std::string_view contentType) {
  std::string_view path = parts.object;
  path = path.substr(0, path.find('#'));
  const std::size_t queryStart = path.find('?');
  std::optional<std::string> query;
  if (queryStart != std::string_view::npos) query = std::string(path.substr(queryStart + 1));
  path = path.substr(0, queryStart);

  TreeLocation location;
  std::string last;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view segment = path.substr(0, slash);
    if (!segment.empty()) {
      if (!last.empty()) location.folders += (location.folders.empty() ? "" : "/") + last;
      last = LocalSegment(segment);
    }
    if (slash == std::string_view::npos) break;
    if (slash + 1 == path.size()) location.folderPage = true;
    path.remove_prefix(slash + 1);
  }
  if (last.empty()) {
    location.folderPage = true;
    last = "index";
  }
  NameParts name = location.folderPage ? NameParts{last, {}, {}} : SplitName(last);
  name.query = std::move(query);
  location.name =
      ComposeName(name, location.folderPage && ExtensionsOf(contentType) == nullptr ? "text/html" : contentType);
  return location;
}

NameParts FlatNameParts(std::string_view url) {
  std::string_view rest = url;
  for (std::string_view prefix : {"http:// ", "https:// "}) {
    if (text::StartsWithNoCase(rest, prefix)) rest.remove_prefix(prefix.size());
  }
  std::string flat;
  const std::optional<UrlParts> parts = ParseUrl(rest);
  if (parts) {
    flat = FlatServerName(*parts);
    rest = parts->object;
  } else {
    for (std::string_view prefix : {"http://", "http: ", "http:", "https://", "https: ", "https:"}) {
      if (text::StartsWithNoCase(rest, prefix)) {
        rest.remove_prefix(prefix.size());
        break;
      }
    }
  }
  rest = rest.substr(0, rest.find('#'));
  NameParts name;
  if (const std::size_t queryStart = rest.find('?'); queryStart != std::string_view::npos) {
    name.query = std::string(rest.substr(queryStart + 1));
    rest = rest.substr(0, queryStart);
  }
  std::size_t at = 0;
  for (std::size_t end = rest.find_first_of("/\\"); end != std::string_view::npos;
       end = rest.find_first_of("/\\", at)) {
    std::string folder = LocalSegment(rest.substr(at, end - at));
    std::replace(folder.begin(), folder.end(), '.', '_');
    flat += folder + "_";
    at = end + 1;
  }
  NameParts last = SplitName(LocalSegment(rest.substr(at)));
  std::replace(last.stem.begin(), last.stem.end(), '.', '_');
  name.stem = flat + last.stem;
  name.extension = std::move(last.extension);
  return name;
}

std::string FlatName(std::string_view url) { return ComposeName(FlatNameParts(url), ""); }

}  // namespace vantry::archive

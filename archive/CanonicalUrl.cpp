#include "archive/CanonicalUrl.h"

#include <algorithm>
#include <array>

#include "archive/UrlParts.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

// Characters that mean the same escaped or not.
bool IsPlain(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '!' || c == '$' || c == '(' || c == ')' || c == '*';
}

// Characters with a meaning of their own: kept as they are written, escaped or not.
bool IsDelimiter(unsigned char c) {
  return c == '/' || c == '?' || c == '#' || c == '[' || c == ']' || c == '@' || c == ':' || c == '&' || c == '=' ||
         c == '+' || c == ';' || c == ',' || c == '%';
}

void AppendEscape(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

std::string NormalizeEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // Where the last '%' that starts no escape stands in `out`: a hex digit decoded just after it
  // would make a new escape of it, so such a digit stays escaped.
  std::size_t barePercent = std::string::npos;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c == '%' && at + 2 < text.size() && text::HexDigitValue(text[at + 1]) >= 0 &&
        text::HexDigitValue(text[at + 2]) >= 0) {
      const auto decoded =
          static_cast<unsigned char>(text::HexDigitValue(text[at + 1]) * 16 + text::HexDigitValue(text[at + 2]));
      const bool wouldJoinBarePercent =
          barePercent != std::string::npos && out.size() - barePercent <= 2 && text::HexDigitValue(decoded) >= 0;
      if (IsPlain(decoded) && !wouldJoinBarePercent) {
        out += static_cast<char>(decoded);
      } else {
        AppendEscape(out, decoded);
      }
      at += 2;
    } else if (IsPlain(c) || IsDelimiter(c)) {
      if (c == '%') barePercent = out.size();
      out += static_cast<char>(c);
    } else {
      AppendEscape(out, c);
    }
  }
  return out;
}

// Letters, digits and "-._~/": the bytes of a plain path.
constexpr std::array<bool, 256> kPlainPathByte = [] {
  std::array<bool, 256> plain{};
  for (int c = 0; c < 256; ++c) {
    plain[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '~' || c == '/' || c == '.';
  }
  return plain;
}();

// Plain bytes only, and no "." or ".." segment.
bool IsPlainPath(std::string_view path) {
  for (std::size_t at = 0; at < path.size(); ++at) {
    const char c = path[at];
    if (!kPlainPathByte[static_cast<unsigned char>(c)]) return false;
    const bool segmentStart = at == 0 || path[at - 1] == '/';
    if (c == '.' && segmentStart &&
        (at + 1 == path.size() || path[at + 1] == '/' ||
         (path[at + 1] == '.' && (at + 2 == path.size() || path[at + 2] == '/')))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> CanonicalUrl(std::string_view url) {
  const std::size_t separator = url.find("://");
  if (separator == std::string_view::npos) return std::nullopt;
  const std::string_view rest = url.substr(separator + 3);
  const std::size_t authorityEnd = std::min(rest.find_first_of("/?#\\"), rest.size());
  const std::string_view authority = rest.substr(0, authorityEnd);
  const std::optional<UrlParts> parts = ParseUrl(url.substr(0, separator + 3 + authorityEnd));
  if (!parts) return std::nullopt;

  std::string canonical = parts->scheme + "://";
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
    canonical += authority.substr(0, at + 1);
  canonical += text::ToLowerAscii(parts->server);
  if (parts->port != DefaultPort(parts->scheme)) canonical += ':' + std::to_string(parts->port);

  std::string_view tail = rest.substr(authorityEnd);
  tail = tail.substr(0, tail.find('#'));
  const std::size_t queryStart = tail.find('?');
  std::string path(tail.substr(0, queryStart));
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (!path.starts_with('/')) path.insert(0, 1, '/');
  canonical += RemoveDotSegments(NormalizeEscapes(path));
  if (queryStart != std::string_view::npos) canonical += '?' + NormalizeEscapes(tail.substr(queryStart + 1));
  return canonical;
}

bool CanonicalOfPlainReference(std::string_view canonicalFolder, std::string_view reference, std::string& canonical) {
  std::size_t levels = 0;
  while (reference.starts_with("../")) {
    reference.remove_prefix(3);
    ++levels;
  }
  if (reference.empty() || reference.front() == '/' || !IsPlainPath(reference)) return false;
  const std::size_t schemeEnd = canonicalFolder.find("://");
  const std::size_t root = canonicalFolder.find('/', schemeEnd == std::string_view::npos ? 0 : schemeEnd + 3);
  if (root == std::string_view::npos || !canonicalFolder.ends_with('/')) return false;
  std::size_t folderEnd = canonicalFolder.size();
  for (; levels > 0 && folderEnd > root + 1; --levels) folderEnd = canonicalFolder.rfind('/', folderEnd - 2) + 1;
  canonical.assign(canonicalFolder.substr(0, folderEnd)).append(reference);
  return true;
}

bool IsPlainCanonicalUrl(std::string_view url) {
  std::size_t at = 0;
  if (url.starts_with("http://")) at = 7;
  if (url.starts_with("https://")) at = 8;
  if (at == 0) return false;
  const std::size_t host = at;
  for (; at < url.size() && url[at] != '/'; ++at) {
    const char c = url[at];
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
  }
  if (at == url.size() || at == host) return false;
  return IsPlainPath(url.substr(at + 1));
}

bool NeedsCleaning(std::string_view value) {
  if (value.empty()) return false;
  if (static_cast<unsigned char>(value.front()) <= ' ' || static_cast<unsigned char>(value.back()) <= ' ') return true;
  for (const char c : value) {
    if (c == '\t' || c == '\n' || c == '\r') return true;
  }
  return false;
}

std::string CleanReference(std::string_view value) {
  const auto isEdge = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!value.empty() && isEdge(value.front())) value.remove_prefix(1);
  while (!value.empty() && isEdge(value.back())) value.remove_suffix(1);
  std::string clean;
  clean.reserve(value.size());
  for (const char c : value) {
    if (c != '\t' && c != '\n' && c != '\r') clean += c;
  }
  return clean;
}

}  // namespace vantry::archive

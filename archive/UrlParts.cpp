#include "archive/UrlParts.h"

#include <charconv>
#include <vector>

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

bool IsSchemeText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

bool HasScheme(std::string_view reference) {
  const std::size_t colon = reference.find(':');
  return colon != std::string_view::npos && colon > 0 && colon < reference.find_first_of("/?#") &&
         IsSchemeText(reference.substr(0, colon));
}

int DefaultPort(std::string_view scheme) {
  if (scheme == "http") return 80;
  if (scheme == "https") return 443;
  if (scheme == "ftp") return 21;
  return 0;
}

std::string RemoveDotSegments(std::string_view path) {
  std::vector<std::string_view> kept;
  std::size_t start = 1;
  for (;;) {
    const std::size_t slash = path.find('/', start);
    const std::string_view segment =
        path.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
    const bool last = slash == std::string_view::npos;
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
      if (last) kept.emplace_back();
    } else if (segment == ".") {
      if (last) kept.emplace_back();
    } else {
      kept.push_back(segment);
    }
    if (last) break;
    start = slash + 1;
  }
  std::string result;
  for (std::string_view segment : kept) result.append("/").append(segment);
  return result.empty() ? "/" : result;
}

std::optional<UrlParts> ParseUrl(std::string_view url) {
  const std::size_t separator = url.find("://");
  if (separator == std::string_view::npos || !IsSchemeText(url.substr(0, separator))) {
    return std::nullopt;
  }
  UrlParts parts;
  parts.scheme = text::ToLowerAscii(url.substr(0, separator));
  std::string_view rest = url.substr(separator + 3);
  const std::size_t authorityEnd = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authorityEnd);
  const std::string_view object =
      authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
  parts.object = object.starts_with('/') ? std::string(object) : "/" + std::string(object);

  const std::size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  parts.port = DefaultPort(parts.scheme);
  const std::size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
    const std::string_view digits = authority.substr(colon + 1);
    if (!digits.empty()) {
      const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parts.port);
      if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    }
    authority = authority.substr(0, colon);
  }
  // A colon left in the host, unless it is a whole IPv6 literal, means a port that is not a number.
  const bool ipv6Literal = authority.starts_with('[') && authority.ends_with(']');
  if (!ipv6Literal && authority.find(':') != std::string_view::npos) return std::nullopt;
  parts.server = std::string(authority);
  return parts;
}

std::string ResolveUrl(std::string_view base, std::string_view reference) {
  if (HasScheme(reference)) return std::string(reference);
  base = base.substr(0, base.find('#'));
  // Web addresses read a backslash in their path as a slash.
  std::string slashed;
  if (reference.find('\\') < reference.find_first_of("?#") && ParseUrl(base)) {
    slashed = std::string(reference);
    for (std::size_t i = 0; i < slashed.size() && slashed[i] != '?' && slashed[i] != '#'; ++i) {
      if (slashed[i] == '\\') slashed[i] = '/';
    }
    reference = slashed;
  }
  const std::size_t schemeEnd = base.find(':');
  if (schemeEnd == std::string_view::npos) return std::string(reference);
  if (reference.starts_with("//")) return std::string(base.substr(0, schemeEnd + 1)) + std::string(reference);
  // origin: "scheme://authority" (or "scheme:" for an address without authority)
  std::size_t pathStart = schemeEnd + 1;
  if (base.substr(pathStart).starts_with("//")) {
    pathStart = base.find_first_of("/?", pathStart + 2);
    if (pathStart == std::string_view::npos) pathStart = base.size();
  }
  const std::string_view origin = base.substr(0, pathStart);
  const std::string_view basePathAndQuery = base.substr(pathStart);
  const std::string_view basePath = basePathAndQuery.substr(0, basePathAndQuery.find('?'));
  if (reference.empty() || reference.front() == '#') {
    return std::string(base) + std::string(reference);
  }
  if (reference.front() == '?') return std::string(origin) + std::string(basePath) + std::string(reference);

  const std::size_t tailStart = reference.find_first_of("?#");
  const std::string_view refPath = reference.substr(0, tailStart);
  const std::string_view tail = tailStart == std::string_view::npos ? std::string_view() : reference.substr(tailStart);
  std::string merged;
  if (refPath.starts_with('/')) {
    merged = std::string(refPath);
  } else {
    const std::size_t lastSlash = basePath.rfind('/');
    merged = (lastSlash == std::string_view::npos ? std::string("/") : std::string(basePath.substr(0, lastSlash + 1))) +
             std::string(refPath);
  }
  return std::string(origin) + RemoveDotSegments(merged) + std::string(tail);
}

std::string ServerOf(std::string_view url) {
  std::optional<UrlParts> parts = ParseUrl(url);
  return parts ? std::move(parts->server) : std::string();
}

}  // namespace vantry::archive

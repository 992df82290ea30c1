#include "archive/url_parts.h"

#include <charconv>

#include "archive/text_util.h"

namespace vantry::archive {
namespace {

int DefaultPort(std::string_view scheme) {
  if (scheme == "http") return 80;
  if (scheme == "https") return 443;
  if (scheme == "ftp") return 21;
  return 0;
}

bool IsSchemeText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '+' || c == '-' || c == '.';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::optional<UrlParts> ParseUrl(std::string_view url) {
  const std::size_t separator = url.find("://");
  if (separator == std::string_view::npos || !IsSchemeText(url.substr(0, separator))) {
    return std::nullopt;
  }
  UrlParts parts;
  parts.scheme = ToLowerAscii(url.substr(0, separator));
  std::string_view rest = url.substr(separator + 3);
  const std::size_t authority_end = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authority_end);
  const std::string_view object =
      authority_end == std::string_view::npos ? std::string_view() : rest.substr(authority_end);
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
  parts.server = std::string(authority);
  return parts;
}

std::string ServerOf(std::string_view url) {
  std::optional<UrlParts> parts = ParseUrl(url);
  return parts ? std::move(parts->server) : std::string();
}

}  // namespace vantry::archive

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantry::archive {

// The parts of an address of the form scheme://[user@]host[:port][/object].
struct UrlParts {
  std::string scheme;  // lower case: "http", "https", "ftp", "file", ...
  std::string server;  // the host as the address gives it
  std::string object;  // path and query, always beginning with '/'
  int port = 0;        // the explicit port, else the scheme's default (0 when it has none)
};

// Whether a reference begins with a scheme of its own ("http:", "mailto:") rather than a path.
bool HasScheme(std::string_view reference);

// The port a scheme uses when an address names none: 80, 443, 21; 0 for others.
int DefaultPort(std::string_view scheme);

// Splits an address; nothing when it has no "scheme://" part or its port is not a number.
std::optional<UrlParts> ParseUrl(std::string_view url);

// The host of an address, or an empty text when it does not split.
std::string ServerOf(std::string_view url);

// A path that begins with '/' without its "." and ".." segments; ".." never climbs above the root.
std::string RemoveDotSegments(std::string_view path);

// The absolute address that `reference` names when it appears in the document at `base`
// (relative paths merged, "." and ".." segments removed, a backslash in the path of a web
// address read as a slash). A reference with its own scheme is returned as it stands.
std::string ResolveUrl(std::string_view base, std::string_view reference);

}  // namespace vantry::archive

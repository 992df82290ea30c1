#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantry::archive {

// One spelling for the many an address may be written in, so that a reference and a cache key
// for the same document compare equal: scheme and host in lower case, the scheme's default port
// left out, an empty path as "/", "." and ".." segments removed, a backslash in the path read
// as a slash, percent escapes of characters without a meaning in addresses decoded and the
// others in upper case, bytes an address cannot hold as they stand (blanks, quotes, angle
// brackets, bytes above 127) escaped, the fragment dropped. Nothing for an address without
// "scheme://".
std::optional<std::string> CanonicalUrl(std::string_view url);

// Shortcuts for the references copies meet most, which need no general parsing:
// A plain relative reference (letters, digits and "-._~/" only; "../" only at its start, no
// other dot segments) read in `canonicalFolder`, a canonical address that ends in '/': its
// canonical form is written to `canonical` and true returned; false for any other reference.
bool CanonicalOfPlainReference(std::string_view canonicalFolder, std::string_view reference, std::string& canonical);
// Whether an absolute address is already canonical and plain ("http://host/a/b.html": lower-case
// host, no port, user, query or fragment, a plain path).
bool IsPlainCanonicalUrl(std::string_view url);

// A reference as a browser reads it from an attribute: blanks and control characters around
// it removed, tabs and line breaks inside it dropped.
std::string CleanReference(std::string_view value);
// Whether CleanReference would change `value`.
bool NeedsCleaning(std::string_view value);

}  // namespace vantry::archive

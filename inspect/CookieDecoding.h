#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/Notice.h"

namespace vantry::inspect {

// The texts of the "Cookie" page.

// The cookie text of an address split at its semicolons: "Set One: " to "Set Four: ".
std::vector<std::string> CookieTextLines(std::string_view cookieText);

// The records of a cookie file (at most the first 1000 bytes are looked at), field by
// field with both times in UTC; one "Too many Entries in Cookie !" notice for every
// record beyond the eighth.
std::vector<std::string> DecodeCookieFileLines(std::string_view bytes, Notices& notices);

// The cookie file bytes to decode for the entry `address` whose local file is
// `localFile`: nothing unless the address begins with "Cookie:" and the file opens.
// Line ends CR LF arrive as LF; at most 1000 bytes; a file of more than 998 bytes adds
// the "Cookie much too big" notice.
std::optional<std::string> ReadCookieFileForDecoding(std::string_view address, const std::filesystem::path& localFile,
                                                     Notices& notices);

inline constexpr size_t kCookieDecodeLimit = 1000;

}  // namespace vantry::inspect

#pragma once

#include <string_view>

#include "inspect/PageText.h"

namespace vantry::inspect {

// The texts of the "Cookie" page.

// The cookie text of an address split at its semicolons, one line per part: "Set One: ",
// "Set Two: " and on. The note tells when there are more than four parts.
PageText CookieTextLines(std::string_view cookieText);

// Every record of a cookie file, field by field with both times in UTC (an expiry of 0 is a
// session cookie). CR LF line ends count as LF. The note tells when the file has more than
// eight records, a record longer than 255 characters or more than 1000 bytes.
PageText DecodeCookieFileLines(std::string_view bytes);

}  // namespace vantry::inspect

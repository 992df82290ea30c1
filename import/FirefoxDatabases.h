#pragma once

#include <filesystem>

#include "import/BrowserRecords.h"

namespace vantry::import {

// Every visited address of places.sqlite (moz_places with its moz_historyvisits): the
// last visit and the number of visits. Places without visits (bookmarks) are left out.
VisitRead ReadFirefoxVisits(const std::filesystem::path& placesFile);

// Every cookie of cookies.sqlite (moz_cookies); values are plain text there.
CookieRead ReadFirefoxCookies(const std::filesystem::path& cookiesFile);

// A Firefox cookie expiry as a file time: milliseconds since 1970 in current
// versions, seconds in older ones, told apart by their size.
cache::FileTime FirefoxCookieExpiry(int64_t expiry);

}  // namespace vantry::import

#pragma once

#include <filesystem>

#include "import/BrowserRecords.h"

namespace vantry::import {

// Every visited address of a Chromium "History" database (urls with their visits):
// the last visit and the number of visits.
VisitRead ReadChromiumVisits(const std::filesystem::path& historyFile);

// Every cookie of a Chromium "Cookies" database. Encrypted values are decrypted where
// the fixed Linux key opens them; those that need the desktop keyring come back empty
// and marked, damaged ones are left out and counted in `undecryptable`.
CookieRead ReadChromiumCookies(const std::filesystem::path& cookiesFile, size_t& undecryptable);

}  // namespace vantry::import

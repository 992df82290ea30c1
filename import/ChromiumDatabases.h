#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "import/BrowserRecords.h"

namespace vantry::import {

// Every visited address of a Chromium "History" database (urls with their visits):
// the last visit and the number of visits.
VisitRead ReadChromiumVisits(const std::filesystem::path& historyFile);

// The passwords the desktop keyring holds for a browser's "v11" cookie values.
using KeyringPasswords = std::function<std::vector<std::string>()>;

// Every cookie of a Chromium "Cookies" database. Encrypted values are decrypted where
// the fixed Linux key or a password from `keyring` (asked once, at the first "v11"
// value) opens them; those that need the desktop keyring and found no key there come
// back empty and marked, damaged ones are left out and counted in `undecryptable`.
CookieRead ReadChromiumCookies(const std::filesystem::path& cookiesFile, size_t& undecryptable,
                               const KeyringPasswords& keyring = {});

}  // namespace vantry::import

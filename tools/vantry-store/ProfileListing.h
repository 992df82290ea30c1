#pragma once

#include <ostream>
#include <string>

#include "import/BrowserProfile.h"
#include "import/HomeFolders.h"

namespace vantry::storetool {

// One line of `profiles`: browser, profile name, profile folder and cache folder
// (empty when there is none), tab-separated.
std::string ProfileLine(const import::BrowserProfile& profile);

// `profiles`: one line per profile found for the user of `home`. Finding none is said
// on `err` and is no failure. Returns the exit code.
int RunProfiles(const import::HomeFolders& home, std::ostream& out, std::ostream& err);

}  // namespace vantry::storetool

#pragma once

#include <filesystem>
#include <vector>

#include "import/BrowserPlaces.h"
#include "import/BrowserProfile.h"

namespace vantry::import {

// Every profile that profiles.ini in `place.root` lists, whether its folder exists or
// not, and those that only installs.ini names. The default is the one an installation
// opens ([Install...] sections or installs.ini), else the one marked Default=1, else
// the first.
std::vector<BrowserProfile> ListFirefoxProfiles(const BrowserPlace& place);

// The cache2 folder of the Firefox profile in `folder`: where its prefs.js or user.js
// moves the disk cache to, else inside the profile, else in one of `twins` (the same
// path below a cache root); empty when none exists.
std::filesystem::path FirefoxCacheFolder(const std::filesystem::path& folder,
                                         const std::vector<std::filesystem::path>& twins);

}  // namespace vantry::import

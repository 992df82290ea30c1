#pragma once

#include <filesystem>
#include <vector>

#include "import/BrowserPlaces.h"
#include "import/BrowserProfile.h"

namespace vantry::import {

// The profiles in the user data folder `place.root`: "Default", every "Profile N" and
// whatever else "Local State" lists, named as "Local State" names them; the folder
// itself when it is a profile (as Opera's is). The last used profile is the default.
// Sorted: the folder itself, "Default", then "Profile N" by N, then the rest by name.
std::vector<BrowserProfile> ListChromiumProfiles(const BrowserPlace& place);

// Whether `folder` holds a Chromium profile's files (History, Cookies, Preferences, Cache).
bool IsChromiumProfileFolder(const std::filesystem::path& folder);

// The Simple Cache folder of the Chromium profile in `folder`: Cache/Cache_Data, or the
// older Cache holding an index, inside the profile or else in one of `twins`; empty
// when none exists.
std::filesystem::path ChromiumCacheFolder(const std::filesystem::path& folder,
                                          const std::vector<std::filesystem::path>& twins);

}  // namespace vantry::import

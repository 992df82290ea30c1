#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "import/BrowserProfile.h"
#include "import/HomeFolders.h"

namespace vantry::import {

// Every profile of every browser installed for the user of `home` whose folder exists,
// in the order of BrowserPlaces(); a folder reached by two places is listed once.
std::vector<BrowserProfile> FindBrowserProfiles(const HomeFolders& home);

// Which browser made the profile in `folder`, told by its files: Firefox's prefs.js,
// places.sqlite or cache2, Chromium's Preferences, History, Cookies or Cache (also in a
// user data folder's "Default"). Nothing when it holds neither.
std::optional<BrowserFamily> ProfileFamilyOf(const std::filesystem::path& folder);

// The profile in `folder` with its cache folder and browser: as FindBrowserProfiles()
// finds it when one of the browsers' places holds it, else worked out from the folder
// alone. A Chromium user data folder stands for its "Default" profile.
BrowserProfile ProfileAt(BrowserFamily family, const std::filesystem::path& folder, const HomeFolders& home);

}  // namespace vantry::import

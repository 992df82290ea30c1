#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/BrowserProfile.h"
#include "import/HomeFolders.h"

namespace vantry::import {

// The files of one Chromium profile that are imported; `cacheData` is empty when the
// profile has no Simple Cache folder.
struct ChromiumProfile {
  std::filesystem::path folder;
  std::filesystem::path cacheData;
  std::filesystem::path history;
  std::filesystem::path cookies;
  // The desktop keyring's name for the key of its "v11" cookie values.
  std::string keyringName = "Chromium Safe Storage";
};

// The files of a profile that discovery found: cookies in Cookies or Network/Cookies.
ChromiumProfile ChromiumProfileFiles(const BrowserProfile& profile);

// The profile in `folder`, which may also be a user data folder holding "Default".
// The cache is Cache/Cache_Data inside the profile or, for a profile of a known
// browser's place (or any profile under ~/.config), the same relative folder under the
// place's cache folder (~/.cache); cookies are in Cookies or Network/Cookies.
ChromiumProfile ChromiumProfileAt(const std::filesystem::path& folder, const HomeFolders& home);

// The default profiles of the Chromium-family browsers that exist, in the order of
// their places: Chromium, Google Chrome and its channels, Brave, Edge, Vivaldi, Opera.
std::vector<ChromiumProfile> FindDefaultChromiumProfiles(const HomeFolders& home);

}  // namespace vantry::import

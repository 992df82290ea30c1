#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/HomeFolders.h"

namespace vantry::import {

// The files of one Chromium profile that are imported; `cacheData` is empty when the
// profile has no Simple Cache folder.
struct ChromiumProfile {
  std::filesystem::path folder;
  std::filesystem::path cacheData;
  std::filesystem::path history;
  std::filesystem::path cookies;
};

// The profile in `folder`, which may also be a user data folder holding "Default".
// The cache is Cache/Cache_Data inside the profile or, for a profile under ~/.config,
// the same relative folder under ~/.cache; cookies are in Cookies or Network/Cookies.
ChromiumProfile ChromiumProfileAt(const std::filesystem::path& folder, const HomeFolders& home);

// The "Default" profiles of Chromium and Google Chrome that exist, in that order.
std::vector<ChromiumProfile> FindDefaultChromiumProfiles(const HomeFolders& home);

}  // namespace vantry::import

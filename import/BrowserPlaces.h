#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "import/BrowserProfile.h"
#include "import/HomeFolders.h"

namespace vantry::import {

// Where one installation of a browser (classic, Snap or Flatpak) keeps its profiles.
struct BrowserPlace {
  BrowserFamily family = BrowserFamily::Firefox;
  std::string browser;  // with the packaging: "Chromium (Snap)"
  // Firefox: the folder of profiles.ini; Chromium family: the user data folder, which
  // holds "Local State" and the profile folders.
  std::filesystem::path root;
  // Folders that may hold a profile's cache at the profile's own path below `root`.
  std::vector<std::filesystem::path> cacheRoots;
  std::string keyringName;
};

// Every place a browser may be installed at for the user of `home`, whether it exists
// or not: Firefox, then the Chromium family browser by browser, each with its classic
// places first, then Snap, then Flatpak.
std::vector<BrowserPlace> BrowserPlaces(const HomeFolders& home);

// The place whose root holds `folder` (or is it); nullptr when none does.
const BrowserPlace* PlaceHolding(const std::vector<BrowserPlace>& places, BrowserFamily family,
                                 const std::filesystem::path& folder);

// `folder` below `root`: "" for root itself, nothing when it is not below it.
std::optional<std::filesystem::path> PathBelow(const std::filesystem::path& folder, const std::filesystem::path& root);

// The folders that may hold the cache of the profile in `folder` of `place`: the same
// path below each of its cache roots.
std::vector<std::filesystem::path> CacheTwins(const BrowserPlace& place, const std::filesystem::path& folder);

// The keyring name of the Chromium-family browser whose user data folder name ends the
// path of `folder` or of its parent ("google-chrome/Default"); Chromium's when none does.
std::string KeyringNameForFolder(const std::filesystem::path& folder);

}  // namespace vantry::import

#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "import/HomeFolders.h"

namespace vantry::import {

// The files of one Firefox profile that are imported; `cache2` is empty when the
// profile has no disk cache folder.
struct FirefoxProfile {
  std::filesystem::path folder;
  std::filesystem::path cache2;
  std::filesystem::path places() const { return folder / "places.sqlite"; }
  std::filesystem::path cookies() const { return folder / "cookies.sqlite"; }
};

// The profile in `folder`: its cache is where its prefs move it, or "cache2" inside it,
// or, for a profile under a Firefox root, the same relative folder under that root's
// cache folder (~/.cache/mozilla/firefox/ for the classic ones).
FirefoxProfile FirefoxProfileAt(const std::filesystem::path& folder, const HomeFolders& home);

// The default profile as Firefox finds it: profiles.ini in ~/.mozilla/firefox/, else in
// ~/.config/mozilla/firefox/, else in the Snap and Flatpak places; the installation's
// default ([Install...] Default=) first, then the profile marked Default=1, then the
// only or first profile.
std::optional<FirefoxProfile> FindDefaultFirefoxProfile(const HomeFolders& home, std::string& error);

}  // namespace vantry::import

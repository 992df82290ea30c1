#include "import/FirefoxProfile.h"

#include "import/BrowserPlaces.h"
#include "import/FirefoxProfileList.h"
#include "import/ProfileDiscovery.h"

namespace vantry::import {

namespace fs = std::filesystem;

FirefoxProfile FirefoxProfileAt(const fs::path& folder, const HomeFolders& home) {
  BrowserProfile profile = ProfileAt(BrowserFamily::Firefox, folder, home);
  return {profile.folder, profile.cacheFolder};
}

std::optional<FirefoxProfile> FindDefaultFirefoxProfile(const HomeFolders& home, std::string& error) {
  std::string looked;
  for (const BrowserPlace& place : BrowserPlaces(home)) {
    if (place.family != BrowserFamily::Firefox) continue;
    std::error_code ec;
    if (!fs::is_regular_file(place.root / "profiles.ini", ec)) {
      looked += (looked.empty() ? "" : ", ") + place.root.string();
      continue;
    }
    std::vector<BrowserProfile> profiles = ListFirefoxProfiles(place);
    if (profiles.empty()) {
      error = "no profile is listed in " + (place.root / "profiles.ini").string() + ".";
      return std::nullopt;
    }
    return FirefoxProfile{profiles.front().folder, profiles.front().cacheFolder};
  }
  error = "no Firefox profiles.ini in " + looked + ".";
  return std::nullopt;
}

}  // namespace vantry::import

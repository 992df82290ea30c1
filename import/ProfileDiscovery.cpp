#include "import/ProfileDiscovery.h"

#include <set>

#include "import/BrowserPlaces.h"
#include "import/ChromiumProfileList.h"
#include "import/FirefoxProfileList.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

std::vector<BrowserProfile> ListProfiles(const BrowserPlace& place) {
  return place.family == BrowserFamily::Firefox ? ListFirefoxProfiles(place) : ListChromiumProfiles(place);
}

// The same folder written two ways compares equal once resolved.
fs::path Resolved(const fs::path& folder) {
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(folder, ec);
  return ec ? folder.lexically_normal() : resolved;
}

// A profile that no browser place holds: its cache inside it, or at the same path below
// the cache folder when it lies below the config folder (or, for Firefox, below the
// Firefox cache folder by its name).
BrowserProfile ProfileOutsidePlaces(BrowserFamily family, const fs::path& folder, const HomeFolders& home) {
  BrowserProfile profile;
  profile.family = family;
  profile.folder = folder;
  profile.name = folder.filename().string();
  if (family == BrowserFamily::Firefox) {
    profile.browser = "Firefox";
    profile.cacheFolder = FirefoxCacheFolder(folder, {home.cache / "mozilla/firefox" / folder.filename()});
    return profile;
  }
  profile.browser = "Chromium";
  profile.keyringName = KeyringNameForFolder(folder);
  std::vector<fs::path> twins;
  if (std::optional<fs::path> below = PathBelow(folder, home.config); below && !below->empty())
    twins.push_back(home.cache / *below);
  profile.cacheFolder = ChromiumCacheFolder(folder, twins);
  return profile;
}

}  // namespace

std::vector<BrowserProfile> FindBrowserProfiles(const HomeFolders& home) {
  std::vector<BrowserProfile> found;
  std::set<fs::path> seen;
  for (const BrowserPlace& place : BrowserPlaces(home))
    for (BrowserProfile& profile : ListProfiles(place))
      if (Exists(profile.folder) && seen.insert(Resolved(profile.folder)).second) found.push_back(std::move(profile));
  return found;
}

std::optional<BrowserFamily> ProfileFamilyOf(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_regular_file(folder / "prefs.js", ec) || fs::is_regular_file(folder / "places.sqlite", ec) ||
      fs::is_directory(folder / "cache2", ec))
    return BrowserFamily::Firefox;
  if (IsChromiumProfileFolder(folder) || IsChromiumProfileFolder(folder / "Default")) return BrowserFamily::Chromium;
  return std::nullopt;
}

BrowserProfile ProfileAt(BrowserFamily family, const fs::path& given, const HomeFolders& home) {
  fs::path folder = given.lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();
  if (family == BrowserFamily::Chromium && !IsChromiumProfileFolder(folder) &&
      IsChromiumProfileFolder(folder / "Default"))
    folder /= "Default";
  std::vector<BrowserPlace> places = BrowserPlaces(home);
  if (const BrowserPlace* place = PlaceHolding(places, family, folder)) {
    fs::path resolved = Resolved(folder);
    for (BrowserProfile& profile : ListProfiles(*place))
      if (Resolved(profile.folder) == resolved) return profile;
    // A folder the browser does not list (yet) still keeps its cache where the browser's would be.
    BrowserProfile profile = ProfileOutsidePlaces(family, folder, home);
    profile.browser = place->browser;
    profile.keyringName = place->keyringName;
    profile.cacheFolder = family == BrowserFamily::Firefox ? FirefoxCacheFolder(folder, CacheTwins(*place, folder))
                                                           : ChromiumCacheFolder(folder, CacheTwins(*place, folder));
    return profile;
  }
  return ProfileOutsidePlaces(family, folder, home);
}

}  // namespace vantry::import

#include "import/BrowserPlaces.h"

#include <string_view>

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

struct ChromiumBrowser {
  std::string_view name;
  std::string_view folder;  // the user data folder below ~/.config
  std::string_view keyringName;
  std::string_view snap;     // "" when there is no Snap package
  std::string_view flatpak;  // the Flatpak application id, "" when there is none
};

constexpr ChromiumBrowser kChromiumBrowsers[] = {
    {"Chromium", "chromium", "Chromium Safe Storage", "chromium", "org.chromium.Chromium"},
    {"Google Chrome", "google-chrome", "Chrome Safe Storage", "", "com.google.Chrome"},
    {"Google Chrome Beta", "google-chrome-beta", "Chrome Safe Storage", "", ""},
    {"Google Chrome Unstable", "google-chrome-unstable", "Chrome Safe Storage", "", ""},
    {"Brave", "BraveSoftware/Brave-Browser", "Brave Safe Storage", "brave", "com.brave.Browser"},
    {"Microsoft Edge", "microsoft-edge", "Microsoft Edge Safe Storage", "", "com.microsoft.Edge"},
    {"Vivaldi", "vivaldi", "Vivaldi Safe Storage", "vivaldi", "com.vivaldi.Vivaldi"},
    {"Opera", "opera", "Opera Safe Storage", "opera", "com.opera.Opera"},
};

constexpr std::string_view kFirefoxFlatpak = "org.mozilla.firefox";

void AddFirefoxPlaces(const HomeFolders& home, std::vector<BrowserPlace>& places) {
  const fs::path snap = home.home / "snap/firefox/common";
  const fs::path flatpak = home.home / ".var/app" / kFirefoxFlatpak;
  const fs::path classicCache = home.cache / "mozilla/firefox";
  // Firefox keeps using ~/.mozilla where it exists; newer ones start in the XDG folder.
  places.push_back({BrowserFamily::Firefox, "Firefox", home.home / ".mozilla/firefox", {classicCache}, ""});
  places.push_back({BrowserFamily::Firefox, "Firefox", home.config / "mozilla/firefox", {classicCache}, ""});
  places.push_back(
      {BrowserFamily::Firefox, "Firefox (Snap)", snap / ".mozilla/firefox", {snap / ".cache/mozilla/firefox"}, ""});
  for (const char* root : {".mozilla/firefox", "config/mozilla/firefox"})
    places.push_back(
        {BrowserFamily::Firefox, "Firefox (Flatpak)", flatpak / root, {flatpak / "cache/mozilla/firefox"}, ""});
}

void AddChromiumPlaces(const ChromiumBrowser& b, const HomeFolders& home, std::vector<BrowserPlace>& places) {
  const std::string name(b.name), keyring(b.keyringName);
  const fs::path folder(b.folder);
  places.push_back({BrowserFamily::Chromium, name, home.config / folder, {home.cache / folder}, keyring});
  if (!b.snap.empty()) {
    // Snaps keep their data beside the revisions ("common") or in the current revision's home.
    fs::path snap = home.home / "snap" / b.snap;
    std::vector<fs::path> caches = {snap / "common/.cache" / folder, snap / "current/.cache" / folder};
    places.push_back({BrowserFamily::Chromium, name + " (Snap)", snap / "common" / folder, caches, keyring});
    places.push_back({BrowserFamily::Chromium, name + " (Snap)", snap / "current/.config" / folder, caches, keyring});
  }
  if (!b.flatpak.empty()) {
    fs::path app = home.home / ".var/app" / b.flatpak;
    places.push_back(
        {BrowserFamily::Chromium, name + " (Flatpak)", app / "config" / folder, {app / "cache" / folder}, keyring});
  }
}

// Whether the last components of `path` are those of `tail`.
bool EndsWith(const fs::path& path, const fs::path& tail) {
  auto p = path.end(), t = tail.end();
  while (t != tail.begin()) {
    if (p == path.begin() || *--p != *--t) return false;
  }
  return true;
}

}  // namespace

std::vector<BrowserPlace> BrowserPlaces(const HomeFolders& home) {
  std::vector<BrowserPlace> places;
  AddFirefoxPlaces(home, places);
  for (const ChromiumBrowser& browser : kChromiumBrowsers) AddChromiumPlaces(browser, home, places);
  return places;
}

std::optional<fs::path> PathBelow(const fs::path& folder, const fs::path& root) {
  for (bool resolved : {false, true}) {
    std::error_code ec;
    fs::path f = resolved ? fs::weakly_canonical(folder, ec) : folder.lexically_normal();
    fs::path r = resolved ? fs::weakly_canonical(root, ec) : root.lexically_normal();
    if (ec || r.empty()) continue;
    fs::path below = f.lexically_relative(r);
    if (below == ".") return fs::path();
    if (!below.empty() && *below.begin() != "..") return below;
  }
  return std::nullopt;
}

const BrowserPlace* PlaceHolding(const std::vector<BrowserPlace>& places, BrowserFamily family,
                                 const fs::path& folder) {
  for (const BrowserPlace& place : places)
    if (place.family == family && PathBelow(folder, place.root)) return &place;
  return nullptr;
}

std::vector<fs::path> CacheTwins(const BrowserPlace& place, const fs::path& folder) {
  std::vector<fs::path> twins;
  if (std::optional<fs::path> below = PathBelow(folder, place.root))
    for (const fs::path& cacheRoot : place.cacheRoots) twins.push_back(below->empty() ? cacheRoot : cacheRoot / *below);
  return twins;
}

std::string KeyringNameForFolder(const fs::path& folder) {
  fs::path normal = folder.lexically_normal();
  if (normal.filename().empty()) normal = normal.parent_path();
  for (const ChromiumBrowser& b : kChromiumBrowsers)
    if (EndsWith(normal, b.folder) || EndsWith(normal.parent_path(), b.folder)) return std::string(b.keyringName);
  return std::string(kChromiumBrowsers[0].keyringName);
}

}  // namespace vantry::import

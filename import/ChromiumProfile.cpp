#include "import/ChromiumProfile.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBrowserFolders[] = {"chromium", "google-chrome"};

bool IsProfileFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::exists(folder / "History", ec) || fs::exists(folder / "Cookies", ec) ||
         fs::exists(folder / "Network/Cookies", ec) || fs::is_directory(folder / "Cache", ec);
}

fs::path FirstExisting(std::initializer_list<fs::path> candidates) {
  std::error_code ec;
  for (const fs::path& candidate : candidates)
    if (fs::exists(candidate, ec)) return candidate;
  return {};
}

}  // namespace

ChromiumProfile ChromiumProfileAt(const fs::path& given, const HomeFolders& home) {
  fs::path folder = given.lexically_normal();
  if (!IsProfileFolder(folder) && IsProfileFolder(folder / "Default")) folder = folder / "Default";
  if (folder.filename().empty()) folder = folder.parent_path();
  ChromiumProfile profile{folder, {}, folder / "History", {}};
  profile.cookies = FirstExisting({folder / "Cookies", folder / "Network/Cookies"});
  if (profile.cookies.empty()) profile.cookies = folder / "Cookies";
  // A profile under ~/.config keeps its cache at the same place under ~/.cache.
  fs::path inside = folder.lexically_relative(home.config.lexically_normal());
  fs::path cacheTwin = !inside.empty() && *inside.begin() != ".." ? home.cache / inside : fs::path();
  std::error_code ec;
  for (const fs::path& base : {folder, cacheTwin}) {
    if (base.empty()) continue;
    if (fs::is_directory(base / "Cache/Cache_Data", ec)) {
      profile.cacheData = base / "Cache/Cache_Data";
      break;
    }
    if (fs::is_regular_file(base / "Cache/index", ec)) {
      profile.cacheData = base / "Cache";  // older builds kept the entry files in Cache itself
      break;
    }
  }
  return profile;
}

std::vector<ChromiumProfile> FindDefaultChromiumProfiles(const HomeFolders& home) {
  std::vector<ChromiumProfile> profiles;
  for (const char* browser : kBrowserFolders) {
    fs::path folder = home.config / browser / "Default";
    if (IsProfileFolder(folder)) profiles.push_back(ChromiumProfileAt(folder, home));
  }
  return profiles;
}

}  // namespace vantry::import

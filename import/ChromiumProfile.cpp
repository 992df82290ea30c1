#include "import/ChromiumProfile.h"

#include "import/ProfileDiscovery.h"

namespace vantry::import {

namespace fs = std::filesystem;

ChromiumProfile ChromiumProfileFiles(const BrowserProfile& profile) {
  ChromiumProfile files{profile.folder, profile.cacheFolder, profile.folder / "History", profile.folder / "Cookies",
                        profile.keyringName};
  std::error_code ec;
  if (!fs::exists(files.cookies, ec) && fs::exists(profile.folder / "Network/Cookies", ec))
    files.cookies = profile.folder / "Network/Cookies";
  return files;
}

ChromiumProfile ChromiumProfileAt(const fs::path& folder, const HomeFolders& home) {
  return ChromiumProfileFiles(ProfileAt(BrowserFamily::Chromium, folder, home));
}

std::vector<ChromiumProfile> FindDefaultChromiumProfiles(const HomeFolders& home) {
  std::vector<ChromiumProfile> profiles;
  for (const BrowserProfile& profile : FindBrowserProfiles(home))
    if (profile.family == BrowserFamily::Chromium && profile.isDefault)
      profiles.push_back(ChromiumProfileFiles(profile));
  return profiles;
}

}  // namespace vantry::import

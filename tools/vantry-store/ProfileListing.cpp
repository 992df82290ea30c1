#include "tools/vantry-store/ProfileListing.h"

#include <vector>

#include "import/ProfileDiscovery.h"

namespace vantry::storetool {

std::string ProfileLine(const import::BrowserProfile& profile) {
  return profile.browser + "\t" + profile.name + "\t" + profile.folder.string() + "\t" + profile.cacheFolder.string();
}

int RunProfiles(const import::HomeFolders& home, std::ostream& out, std::ostream& err) {
  std::vector<import::BrowserProfile> profiles = import::FindBrowserProfiles(home);
  for (const import::BrowserProfile& profile : profiles) out << ProfileLine(profile) << "\n";
  if (profiles.empty()) err << "vantry-store: no browser profile was found for " << home.home.string() << "\n";
  return 0;
}

}  // namespace vantry::storetool

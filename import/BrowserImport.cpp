#include "import/BrowserImport.h"

#include <cstdio>

#include "import/ChromiumProfile.h"
#include "import/ProfileDiscovery.h"
#include "import/ProfileImport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// The folder as its files' paths are recorded: without links, so that deleting through the
// recorded paths later never needs to follow one.
fs::path WithoutLinks(const fs::path& folder) {
  if (folder.empty()) return folder;
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  return ec ? folder : resolved;
}

}  // namespace

ImportSummary ImportBrowserProfile(const BrowserProfile& profile, cache::UrlCacheStore& store, std::ostream& progress,
                                   StoreOptions options) {
  BrowserProfile resolved = profile;
  resolved.folder = WithoutLinks(profile.folder);
  resolved.cacheFolder = WithoutLinks(profile.cacheFolder);
  options.origin = cache::EntryOrigin{resolved.browser, resolved.name, resolved.folder.string(), {}};
  if (resolved.family == BrowserFamily::Firefox)
    return ImportFirefoxProfile({resolved.folder, resolved.cacheFolder}, store, progress, options);
  return ImportChromiumProfiles({ChromiumProfileFiles(resolved)}, store, progress, options);
}

std::vector<ProfileOffer> ProfilesToOffer(const HomeFolders& home) {
  std::vector<ProfileOffer> offers;
  for (BrowserProfile& profile : FindBrowserProfiles(home)) {
    uint64_t bytes = FolderBytes(profile.cacheFolder);
    offers.push_back({std::move(profile), bytes});
  }
  return offers;
}

uint64_t FolderBytes(const fs::path& folder) {
  uint64_t bytes = 0;
  std::error_code ec;
  if (folder.empty()) return 0;
  for (fs::recursive_directory_iterator item(folder, fs::directory_options::skip_permission_denied, ec), end;
       !ec && item != end; item.increment(ec)) {
    std::error_code sizeError;
    if (item->symlink_status(sizeError).type() != fs::file_type::regular) continue;
    uintmax_t size = item->file_size(sizeError);
    if (!sizeError) bytes += size;
  }
  return bytes;
}

std::string ByteSizeText(uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  const char* units[] = {"KB", "MB", "GB", "TB"};
  double size = static_cast<double>(bytes) / 1024;
  size_t unit = 0;
  // Rounded to one decimal, 1023.96 KB would read as 1024.0 KB: that is the next unit.
  while (size >= 1023.95 && unit + 1 < std::size(units)) {
    size /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", size, units[unit]);
  return text;
}

}  // namespace vantry::import

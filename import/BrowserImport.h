#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cache/store/UrlCacheStore.h"
#include "import/BrowserProfile.h"
#include "import/CacheImport.h"
#include "import/HomeFolders.h"
#include "import/ImportSummary.h"

// Importing the profiles that discovery finds, as the window and "vantry-store import" do.
namespace vantry::import {

// Imports one profile: its cache, visits and cookies. Every cache entry written remembers
// the browser, the profile and the file of the browser's cache that held it, by paths
// without symbolic links.
ImportSummary ImportBrowserProfile(const BrowserProfile& profile, cache::UrlCacheStore& store, std::ostream& progress,
                                   StoreOptions options = {});

// A profile the window offers to import, with the bytes its cache folder holds.
struct ProfileOffer {
  BrowserProfile profile;
  uint64_t cacheBytes = 0;
};

// Every profile found for the user of `home`, in discovery's order.
std::vector<ProfileOffer> ProfilesToOffer(const HomeFolders& home);

// The bytes of the regular files below `folder`, links not followed; 0 when it is missing.
uint64_t FolderBytes(const std::filesystem::path& folder);

// A size for people: "0 bytes", "900 bytes", "1.5 KB", "23.4 MB", "2.0 GB" (1 KB = 1024 bytes).
std::string ByteSizeText(uint64_t bytes);

}  // namespace vantry::import

#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

#include "cache/store/UrlCacheStore.h"
#include "import/CacheImport.h"
#include "import/ChromiumProfile.h"
#include "import/FirefoxProfile.h"
#include "import/ImportSummary.h"

namespace vantry::import {

// Imports a Firefox profile: the entries of its cache folder (see ImportCacheFolder()),
// the visits of places.sqlite and the cookies of cookies.sqlite.
ImportSummary ImportFirefoxProfile(const FirefoxProfile& profile, cache::UrlCacheStore& store, std::ostream& progress,
                                   const StoreOptions& options = {});

// Imports Chromium profiles together: the entries of each one's cache folder (see
// ImportCacheFolder()) and of its Service Worker caches, History, Cookies.
ImportSummary ImportChromiumProfiles(const std::vector<ChromiumProfile>& profiles, cache::UrlCacheStore& store,
                                     std::ostream& progress, const StoreOptions& options = {});

// Imports the responses of an HTTP Archive file.
ImportSummary ImportHarFile(const std::filesystem::path& file, cache::UrlCacheStore& store, std::ostream& progress,
                            const StoreOptions& options = {});

// Entry file names: 40 hex digits (Firefox), 16 hex digits and "_0" (Simple Cache).
bool IsFirefoxEntryFileName(const std::string& name);
bool IsSimpleCacheEntryFileName(const std::string& name);

}  // namespace vantry::import

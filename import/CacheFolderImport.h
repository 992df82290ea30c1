#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "import/CacheImport.h"
#include "import/EntrySource.h"
#include "import/ImportSummary.h"

namespace vantry::import {

// Adds the entries of a cache folder of any format RecognizeCacheFolder() knows to
// `sources`. A folder that is missing, not of a known format or not readable is named
// in `problems`; an empty folder adds nothing.
void OpenCacheFolder(const std::filesystem::path& folder, EntrySources& sources, std::vector<std::string>& problems);

// Imports the entries of one cache folder, recognised by its files (see
// RecognizeCacheFolder()), into the store.
ImportSummary ImportCacheFolder(const std::filesystem::path& folder, cache::UrlCacheStore& store,
                                std::ostream& progress, const StoreOptions& options = {});

}  // namespace vantry::import

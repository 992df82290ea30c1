#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantry::import {

enum class CacheFormat {
  kMissing,        // no such folder
  kEmpty,          // a folder that holds nothing
  kUnknown,        // files of no format read here
  kFirefoxCache2,  // "entries/" with one file per entry
  kSimpleCache,    // "index" with the Simple Cache magic, or entry files "<16 hex>_0"
  kBlockfile,      // "index" with the blockfile magic, or "data_<n>" block files
  kServiceWorker,  // Service Worker caches: Simple Cache folders of CacheStorage
};

// Tells a cache folder's format by its files. Service Worker caches are recognised from
// the profile's "Service Worker" folder, its "CacheStorage" folder or one origin's
// folder in it (index.txt beside the caches' folders).
CacheFormat RecognizeCacheFolder(const std::filesystem::path& folder);

// The format's name as the summary shows it ("Chromium blockfile cache").
std::string CacheFormatName(CacheFormat format);

// The Simple Cache folders of the Service Worker caches in `folder`, sorted.
std::vector<std::filesystem::path> ServiceWorkerCacheFolders(const std::filesystem::path& folder);

}  // namespace vantry::import

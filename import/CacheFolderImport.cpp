#include "import/CacheFolderImport.h"

#include <memory>

#include "import/BlockfileEntry.h"
#include "import/CacheFolderFormat.h"
#include "import/CacheStorageEntry.h"
#include "import/EntryFileSource.h"
#include "import/FirefoxCacheEntry.h"
#include "import/ProfileImport.h"
#include "import/SimpleCacheEntry.h"
#include "import/SimpleCacheIndex.h"

namespace fs = std::filesystem;

namespace vantry::import {

namespace {

// The entry files of a Simple Cache folder, with the last uses its index knows.
std::unique_ptr<EntrySource> SimpleCacheSource(const fs::path& folder, const EntryParser& parse,
                                               std::vector<std::string>& problems) {
  auto index = std::make_shared<SimpleCacheIndex>(ReadSimpleCacheIndex(folder));
  if (index->version && !IsKnownSimpleCacheVersion(*index->version))
    problems.push_back(folder.string() + ": Simple Cache version " + std::to_string(*index->version) +
                       " is not known; its entry files were read as those of versions 5 to 9.");
  LastUseByName lastUse;
  if (!index->lastUsed.empty()) {
    lastUse = [index](std::string_view name) -> cache::FileTime {
      std::optional<uint64_t> hash = SimpleCacheEntryHash(name);
      auto found = hash ? index->lastUsed.find(*hash) : index->lastUsed.end();
      return found == index->lastUsed.end() ? 0 : found->second;
    };
  }
  return std::make_unique<EntryFileSource>(ListEntryFiles(folder, IsSimpleCacheEntryFileName), parse, lastUse);
}

}  // namespace

void OpenCacheFolder(const fs::path& folder, EntrySources& sources, std::vector<std::string>& problems) {
  switch (RecognizeCacheFolder(folder)) {
    case CacheFormat::kMissing:
      problems.push_back(folder.string() + ": no such cache folder.");
      return;
    case CacheFormat::kEmpty:
      return;
    case CacheFormat::kUnknown:
      problems.push_back(folder.string() + ": the format of this cache folder is not known (it is none of " +
                         CacheFormatName(CacheFormat::kFirefoxCache2) + ", " +
                         CacheFormatName(CacheFormat::kSimpleCache) + ", " + CacheFormatName(CacheFormat::kBlockfile) +
                         ", " + CacheFormatName(CacheFormat::kServiceWorker) + ").");
      return;
    case CacheFormat::kFirefoxCache2:
      sources.push_back(std::make_unique<EntryFileSource>(ListEntryFiles(folder / "entries", IsFirefoxEntryFileName),
                                                          ParseFirefoxCacheEntry));
      return;
    case CacheFormat::kSimpleCache:
      sources.push_back(SimpleCacheSource(folder, ParseSimpleCacheEntry, problems));
      return;
    case CacheFormat::kBlockfile:
      if (auto cache = BlockfileCache::Open(folder, problems))
        sources.push_back(std::make_unique<BlockfileSource>(std::move(cache)));
      return;
    case CacheFormat::kServiceWorker:
      for (const fs::path& cache : ServiceWorkerCacheFolders(folder))
        sources.push_back(SimpleCacheSource(cache, ParseCacheStorageEntry, problems));
      return;
  }
}

ImportSummary ImportCacheFolder(const fs::path& folder, cache::UrlCacheStore& store, std::ostream& progress,
                                const StoreOptions& options) {
  ImportSummary summary;
  EntrySources sources;
  OpenCacheFolder(folder, sources, summary.problems);
  EntryImporter importer(store, summary, options);
  ImportEntrySources(sources, importer, progress);
  importer.Finish();
  return summary;
}

}  // namespace vantry::import

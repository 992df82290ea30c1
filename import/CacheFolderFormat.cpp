#include "import/CacheFolderFormat.h"

#include <algorithm>

#include "import/BlockfileCache.h"
#include "import/ByteSource.h"
#include "import/ProfileImport.h"

namespace fs = std::filesystem;

namespace vantry::import {

namespace {

constexpr uint64_t kSimpleCacheMagic = 0xfcfb6d1ba7725c30ULL;

bool IsSimpleCacheIndex(const fs::path& file) {
  FileByteSource source(file);
  std::string bytes;
  return source.ok() && source.Read(0, 8, bytes) && LittleEndian64(bytes, 0) == kSimpleCacheMagic;
}

bool HasSimpleCacheEntryFiles(const fs::path& folder) {
  std::error_code ec;
  for (const auto& item : fs::directory_iterator(folder, ec))
    if (IsSimpleCacheEntryFileName(item.path().filename().string())) return true;
  return false;
}

bool IsSimpleCacheFolder(const fs::path& folder) {
  return IsSimpleCacheIndex(folder / "index") || HasSimpleCacheEntryFiles(folder);
}

std::vector<fs::path> SubFolders(const fs::path& folder) {
  std::vector<fs::path> folders;
  std::error_code ec;
  for (const auto& item : fs::directory_iterator(folder, ec))
    if (item.is_directory(ec)) folders.push_back(item.path());
  std::sort(folders.begin(), folders.end());
  return folders;
}

// CacheStorage holds a folder per origin, each holding index.txt and a folder per cache.
bool IsOriginFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "index.txt", ec);
}

// The folder's own name, also when the path ends in '/'.
fs::path NameOf(const fs::path& folder) {
  fs::path normal = folder.lexically_normal();
  return normal.has_filename() ? normal.filename() : normal.parent_path().filename();
}

fs::path CacheStorageFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder / "CacheStorage", ec)) return folder / "CacheStorage";
  return NameOf(folder) == "CacheStorage" ? folder : fs::path();
}

}  // namespace

std::vector<fs::path> ServiceWorkerCacheFolders(const fs::path& folder) {
  std::vector<fs::path> origins;
  if (fs::path storage = CacheStorageFolder(folder); !storage.empty())
    origins = SubFolders(storage);
  else if (IsOriginFolder(folder))
    origins = {folder};
  std::vector<fs::path> caches;
  for (const fs::path& origin : origins)
    for (const fs::path& cache : SubFolders(origin))
      if (IsSimpleCacheFolder(cache)) caches.push_back(cache);
  return caches;
}

CacheFormat RecognizeCacheFolder(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return CacheFormat::kMissing;
  if (fs::is_empty(folder, ec)) return CacheFormat::kEmpty;
  if (fs::is_directory(folder / "entries", ec) || NameOf(folder) == "cache2") return CacheFormat::kFirefoxCache2;
  if (IsBlockfileIndex(folder / "index") || IsBlockFile(folder / "data_0") || IsBlockFile(folder / "data_1"))
    return CacheFormat::kBlockfile;
  if (IsSimpleCacheFolder(folder)) return CacheFormat::kSimpleCache;
  if (!CacheStorageFolder(folder).empty() || IsOriginFolder(folder)) return CacheFormat::kServiceWorker;
  return CacheFormat::kUnknown;
}

std::string CacheFormatName(CacheFormat format) {
  switch (format) {
    case CacheFormat::kMissing:
      return "missing folder";
    case CacheFormat::kEmpty:
      return "empty folder";
    case CacheFormat::kUnknown:
      return "unknown format";
    case CacheFormat::kFirefoxCache2:
      return "Firefox cache2";
    case CacheFormat::kSimpleCache:
      return "Chromium Simple Cache";
    case CacheFormat::kBlockfile:
      return "Chromium blockfile cache";
    case CacheFormat::kServiceWorker:
      return "Chromium Service Worker caches";
  }
  return "unknown format";
}

}  // namespace vantry::import

#include "import/StoreWriteProblem.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <vector>

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// Less room than this counts as a full disk: the store needs it for a batch of files.
constexpr unsigned long long kFullBelowBytes = 1 << 20;

std::string VolumeProblem(const fs::path& folder) {
  struct statvfs volume {};
  if (::statvfs(folder.c_str(), &volume) != 0) return {};
  if (volume.f_flag & ST_RDONLY) return "the store's file system is read-only (" + folder.string() + ")";
  unsigned long long unit = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
  if (static_cast<unsigned long long>(volume.f_bavail) * unit < kFullBelowBytes)
    return "the disk holding the store is full (" + folder.string() + ")";
  if (volume.f_files > 0 && volume.f_favail == 0)
    return "the disk holding the store has no room for more files (" + folder.string() + ")";
  return {};
}

std::string PermissionProblem(const cache::UrlCacheStore& store) {
  std::vector<fs::path> places = {store.RootFolder(), store.RootFolder() / "index.sqlite", store.ContentFolder(),
                                  store.CookieFolder()};
  std::error_code ec;
  for (const fs::directory_entry& item : fs::directory_iterator(store.ContentFolder(), ec))
    places.push_back(item.path());
  for (const fs::path& place : places)
    if (fs::exists(place, ec) && ::faccessat(AT_FDCWD, place.c_str(), W_OK, AT_EACCESS) != 0)
      return "no permission to write " + place.string();
  return {};
}

std::string FileSizeLimit() {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return {};
  return "files may not grow beyond " + std::to_string(limit.rlim_cur) + " bytes (a file-size limit, ulimit -f)";
}

}  // namespace

std::string StoreWriteProblem(const cache::UrlCacheStore& store) {
  for (std::string problem : {VolumeProblem(store.RootFolder()), PermissionProblem(store), FileSizeLimit()})
    if (!problem.empty()) return problem;
  return {};
}

}  // namespace vantry::import

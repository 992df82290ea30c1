#include "tools/rquenz/FolderListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace rquenz {

namespace fs = std::filesystem;

std::string ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::error_code error;
  fs::directory_iterator it(path, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code ignored;  // a dangling link is simply not a folder
    const bool isLink = it->is_symlink(ignored);
    const bool isFolder = it->is_directory(ignored);
    entries.push_back({it->path().filename().string(), isFolder, isLink && isFolder});
  }
  if (error) return "cannot list folder: " + error.message();
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return {};
}

}  // namespace rquenz

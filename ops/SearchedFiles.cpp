#include "ops/SearchedFiles.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>

#include "text/AsciiText.h"

namespace vantry::ops {

namespace {

struct FolderEntries {
  std::vector<std::string> matching;  // names that match the pattern, of any kind
  std::vector<std::string> folders;   // sub-folders to descend into
};

// The folder's entry types come with its listing, so no file needs to be looked at.
bool IsRealFolder(const std::string& folderPath, const dirent& entry) {
  if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
  struct stat info;
  return ::lstat((folderPath + entry.d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReadFolder(const std::string& folderPath, const std::string& pattern, FolderEntries& entries) {
  DIR* folder = ::opendir(folderPath.c_str());
  if (folder == nullptr) return false;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (::fnmatch(pattern.c_str(), entry->d_name, 0) == 0) entries.matching.emplace_back(name);
    if (!name.starts_with('.') && IsRealFolder(folderPath, *entry)) entries.folders.emplace_back(name);
  }
  ::closedir(folder);
  std::sort(entries.matching.begin(), entries.matching.end());
  std::sort(entries.folders.begin(), entries.folders.end());
  return true;
}

}  // namespace

bool IsSearchedPath(std::string_view path) {
  const size_t dot = path.rfind('.');
  return dot != std::string_view::npos && text::StartsWithNoCase(path.substr(dot), ".htm");
}

void ListSearchedFiles(const std::string& folder, std::string_view pattern, std::vector<SearchedItem>& items,
                       cache::FrameServices& frame) {
  const std::string folderPath = folder + "/";
  FolderEntries entries;
  if (!ReadFolder(folderPath, std::string(pattern), entries)) {
    items.push_back({SearchedItem::Kind::kUnlistableFolder, folderPath + std::string(pattern)});
    return;
  }
  for (const std::string& name : entries.matching) {
    std::string path = folderPath + name;
    if (IsSearchedPath(path)) items.push_back({SearchedItem::Kind::kFile, std::move(path)});
  }
  frame.StepProgress();
  for (const std::string& sub : entries.folders) ListSearchedFiles(folderPath + sub, pattern, items, frame);
}

}  // namespace vantry::ops

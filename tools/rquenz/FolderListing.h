#pragma once

#include <string>
#include <vector>

namespace rquenz {

struct FolderEntry {
  std::string name;
  bool isFolder = false;  // a folder, or a link to one
  bool isLinkToFolder = false;
};

// Lists the folder at `path` (relative to the current directory), sorted by
// name so that every run handles a folder in the same order. Returns "" or
// what failed; the listing is complete before anything in the folder changes.
std::string ListFolder(const std::string& path, std::vector<FolderEntry>& entries);

}  // namespace rquenz

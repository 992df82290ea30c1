#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/services/FrameServices.h"

namespace vantry::ops {

// What the text search of the cache's folders goes through, in the order it reports it.
struct SearchedItem {
  enum class Kind { kFile, kUnlistableFolder };
  Kind kind = Kind::kFile;
  std::string path;  // the file, or the search path ("folder/pattern") of the folder
};

// Whether the text search looks into the file at `path`: the path from its last "." begins
// with ".htm", ignoring case.
bool IsSearchedPath(std::string_view path);

// Lists `folder` and, depth first, its sub-folders: in each folder the searched files whose
// names match the wildcard `pattern`, in name order, then the sub-folders in name order, leaving
// out those whose names start with "." and links (a loop of links cannot trap the search).
// Steps the progress bar once for every folder listed; a folder that cannot be listed becomes
// an item of its own. Only the folders are read here, never the files.
void ListSearchedFiles(const std::string& folder, std::string_view pattern, std::vector<SearchedItem>& items,
                       cache::FrameServices& frame);

}  // namespace vantry::ops

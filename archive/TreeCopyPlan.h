#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "archive/LocalNames.h"
#include "archive/UrlParts.h"

namespace vantry::archive {

// One cached file of a tree copy and where it goes.
struct PlannedFile {
  std::string url;          // the cache key
  std::string cachedFile;   // the store's file ("None" for an entry without stored headers)
  std::string contentType;  // from the stored headers, may be empty
  UrlParts parts;
  std::string path;         // below the destination: "<server folder>/<folders>/<name>"
  bool ofHost = true;       // one of the copied host's entries; else a file of another server
  bool folderPage = false;  // a folder address, "/" included
};

// Gives every file of a tree copy its place: one folder per scheme, host and port below the
// destination, the server's folders rebuilt inside. No two addresses share a file and no file
// takes the name of a folder: the later of two that would is numbered ("name~2.ext"), files
// with a plain name coming before those with a query and folder pages.
class TreeCopyPlan {
 public:
  // The host's entries are all added before NameHostEntries().
  void AddHostEntry(std::string url, UrlParts parts, std::string cachedFile, std::string contentType);
  void NameHostEntries();

  // A file of another server that a copied page shows or links to, named at once. Returns its index.
  std::size_t AddFromOtherServer(std::string url, UrlParts parts, std::string cachedFile, std::string contentType);

  // The file planned for an address in canonical form, or null.
  const PlannedFile* Find(std::string_view canonicalUrl) const;
  // Whether a path below the destination is already given to a file or a folder of the plan.
  bool Takes(const std::string& path) const { return filesTaken_.contains(path) || folders_.contains(path); }

  const std::vector<PlannedFile>& files() const { return files_; }

 private:
  void TakeFolders(const std::string& folders);  // each level of a '/'-separated folder path
  bool FolderHeldByFile(const std::string& folders) const;
  void TakeFreeName(PlannedFile& file, const std::string& folder, const std::string& name);

  std::vector<PlannedFile> files_;
  std::vector<TreeLocation> hostLocations_;  // until NameHostEntries
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>> byCanonicalUrl_;
  std::unordered_set<std::string> filesTaken_;
  std::unordered_set<std::string> folders_;
};

}  // namespace vantry::archive

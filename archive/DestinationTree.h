#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace vantry::archive {

// Writes the files of a copy below one folder without ever following a symbolic link that is
// already there: a link where a folder or a file of the copy belongs is replaced by the real
// folder or file (the link's target is never touched), and a file that has other hard links
// is replaced rather than written into. The root folder itself may be a link: it is the
// user's choice. Folders are held open while the copy runs, so nothing swapped in meanwhile
// redirects the writes.
class DestinationTree {
 public:
  // REQUIRES: `root` names an existing folder (check ok()).
  explicit DestinationTree(const std::string& root);
  ~DestinationTree();
  DestinationTree(const DestinationTree&) = delete;
  DestinationTree& operator=(const DestinationTree&) = delete;

  bool ok() const { return rootFd_ >= 0; }
  const std::string& root() const { return root_; }

  // Makes the '/'-separated folders below the root. Returns false when one cannot be made
  // (a file or something else not a link stands in its place); `failedFolder` then names it.
  bool MakeFolders(std::string_view relativeFolders, std::string& failedFolder);

  // Writes `bytes` as the file at `relativePath`, making its folders. False on failure.
  bool WriteFile(std::string_view relativePath, std::string_view bytes);
  // Copies the file `source` (any path) to `relativePath`, making its folders.
  bool CopyFile(const std::string& source, std::string_view relativePath);

 private:
  int FolderFd(std::string_view relativeFolders);  // -1 when it cannot be made
  int OpenFolderBelow(int parentFd, const std::string& name);
  int CreateFile(std::string_view relativePath);  // an fd open for writing, or -1

  std::string root_;
  int rootFd_ = -1;
  std::unordered_map<std::string, int> folderFds_;  // relative folder path -> open folder
};

}  // namespace vantry::archive

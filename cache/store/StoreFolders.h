#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cache/store/StoreFiles.h"

namespace vantry::cache {

// One folder of the store's layout held open, with its path relative to the store folder
// and a "/" ("cookies/").
struct StoreFolder {
  OpenFolder files;
  std::string relative;
};

// The folders of a store held open: the store folder itself, "content" with the
// sub-folders c0, c1, ... among which the URLs' files are spread, and "cookies".
class StoreFolders {
 public:
  static constexpr size_t kContentSubfolders = 4;

  // Opens the store folder `root`, creating it where missing; links on its path are
  // followed. Empty on success, else a message that says why not.
  std::string OpenRoot(const std::filesystem::path& root);
  // Opens the folders of the layout below the store folder, creating those missing, and
  // refuses a link in place of any of them. Empty on success, else why not.
  std::string OpenLayout(const std::filesystem::path& root);

  const OpenFolder& Root() const { return root_; }
  const StoreFolder& ContentFor(std::string_view url) const;
  const StoreFolder& Cookies() const { return cookies_; }
  // The folder of a file named relative to the store folder ("content/c1/page.htm"), and
  // the file's name in it; nullptr for a name outside the layout.
  const StoreFolder* FolderOf(std::string_view relative, std::string_view& name) const;

 private:
  std::string OpenChild(const OpenFolder& parent, const std::string& relative, const std::filesystem::path& root,
                        StoreFolder& folder);

  OpenFolder root_;
  StoreFolder content_;
  std::vector<StoreFolder> contentSlots_;
  StoreFolder cookies_;
};

}  // namespace vantry::cache

#include "cache/store/StoreFolders.h"

#include <cerrno>
#include <functional>

#include "cache/store/StoreError.h"

namespace vantry::cache {

std::string StoreFolders::OpenRoot(const std::filesystem::path& root) {
  std::error_code ec;
  if (!std::filesystem::exists(root, ec) && !ec && !std::filesystem::create_directories(root, ec) && ec)
    return "Cannot create the cache store folder " + root.string() + ": " + ErrnoText(ec.value()) + ".";
  root_ = OpenFolder(root);
  if (!root_.ok()) return "Cannot open the cache store folder " + root.string() + ": " + ErrnoText(root_.error()) + ".";
  return {};
}

std::string StoreFolders::OpenLayout(const std::filesystem::path& root) {
  std::string problem = OpenChild(root_, "content", root, content_);
  contentSlots_.resize(kContentSubfolders);
  for (size_t slot = 0; slot < kContentSubfolders && problem.empty(); ++slot)
    problem = OpenChild(content_.files, "content/c" + std::to_string(slot), root, contentSlots_[slot]);
  if (problem.empty()) problem = OpenChild(root_, "cookies", root, cookies_);
  return problem;
}

std::string StoreFolders::OpenChild(const OpenFolder& parent, const std::string& relative,
                                    const std::filesystem::path& root, StoreFolder& folder) {
  std::string name = relative.substr(relative.rfind('/') + 1);
  folder = {OpenFolder::OpenOrMakeChild(parent, name.c_str()), relative + "/"};
  std::string where = "The folder " + relative + " of the cache store " + root.string();
  switch (folder.files.error()) {
    case 0:
      return {};
    case ELOOP:
      return where + " is a symbolic link; the store does not follow links in place of its folders.";
    case ENOTDIR:
      return where + " is not a folder.";
    default:
      return where + " cannot be opened: " + ErrnoText(folder.files.error()) + ".";
  }
}

const StoreFolder& StoreFolders::ContentFor(std::string_view url) const {
  return contentSlots_[std::hash<std::string_view>{}(url) % kContentSubfolders];
}

const StoreFolder* StoreFolders::FolderOf(std::string_view relative, std::string_view& name) const {
  size_t slash = relative.rfind('/');
  if (slash == std::string_view::npos) return nullptr;
  std::string_view folder = relative.substr(0, slash + 1);
  name = relative.substr(slash + 1);
  if (folder == cookies_.relative) return &cookies_;
  for (const StoreFolder& slot : contentSlots_)
    if (folder == slot.relative) return &slot;
  return nullptr;
}

}  // namespace vantry::cache

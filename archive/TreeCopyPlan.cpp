#include "archive/TreeCopyPlan.h"

#include <algorithm>
#include <optional>

#include "archive/CanonicalUrl.h"

namespace vantry::archive {
namespace {

// Which files keep their natural name first when two would share it.
int NamingRank(const PlannedFile& file) {
  if (file.folderPage) return 2;
  return file.parts.object.find('?') != std::string::npos ? 1 : 0;
}

}  // namespace

void TreeCopyPlan::AddHostEntry(std::string url, UrlParts parts, std::string cachedFile, std::string contentType) {
  TreeLocation location = TreeLocationOf(parts, contentType);
  PlannedFile file{std::move(url), std::move(cachedFile), std::move(contentType), std::move(parts), {},
                   true,           location.folderPage};
  const std::string server = ServerFolderName(file.parts);
  location.folders = location.folders.empty() ? server : server + "/" + location.folders;
  TakeFolders(location.folders);
  if (const std::optional<std::string> canonical = CanonicalUrl(file.url)) {
    byCanonicalUrl_.emplace(*canonical, files_.size());
  }
  files_.push_back(std::move(file));
  hostLocations_.push_back(std::move(location));
}

void TreeCopyPlan::NameHostEntries() {
  std::vector<std::size_t> order(hostLocations_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return NamingRank(files_[a]) < NamingRank(files_[b]); });
  for (const std::size_t i : order) TakeFreeName(files_[i], hostLocations_[i].folders, hostLocations_[i].name);
  hostLocations_.clear();
}

std::size_t TreeCopyPlan::AddFromOtherServer(std::string url, UrlParts parts, std::string cachedFile,
                                             std::string contentType) {
  TreeLocation location = TreeLocationOf(parts, contentType);
  const std::string server = ServerFolderName(parts);
  std::string folders = location.folders.empty() ? server : server + "/" + location.folders;
  if (FolderHeldByFile(folders)) {
    folders = server;
    location.name = ComposeName(FlatNameParts(url), contentType);
  }
  PlannedFile file{std::move(url), std::move(cachedFile), std::move(contentType), std::move(parts), {},
                   false,          location.folderPage};
  TakeFolders(folders);
  if (const std::optional<std::string> canonical = CanonicalUrl(file.url)) {
    byCanonicalUrl_.emplace(*canonical, files_.size());
  }
  TakeFreeName(file, folders, location.name);
  files_.push_back(std::move(file));
  return files_.size() - 1;
}

const PlannedFile* TreeCopyPlan::Find(std::string_view canonicalUrl) const {
  const auto found = byCanonicalUrl_.find(canonicalUrl);
  return found == byCanonicalUrl_.end() ? nullptr : &files_[found->second];
}

void TreeCopyPlan::TakeFolders(const std::string& folders) {
  for (std::size_t end = folders.find('/');; end = folders.find('/', end + 1)) {
    folders_.insert(folders.substr(0, end));
    if (end == std::string::npos) return;
  }
}

bool TreeCopyPlan::FolderHeldByFile(const std::string& folders) const {
  for (std::size_t end = folders.find('/');; end = folders.find('/', end + 1)) {
    if (filesTaken_.contains(folders.substr(0, end))) return true;
    if (end == std::string::npos) return false;
  }
}

void TreeCopyPlan::TakeFreeName(PlannedFile& file, const std::string& folder, const std::string& name) {
  file.path = folder + "/" + name;
  for (int n = 2; Takes(file.path); ++n) file.path = folder + "/" + NumberedName(name, n);
  filesTaken_.insert(file.path);
}

}  // namespace vantry::archive

#include "inspect/OutputBarActions.h"

namespace vantry::inspect {

namespace {

bool IsCachedFileHit(std::string_view line, std::string_view contentFolder) {
  return !contentFolder.empty() && line.starts_with(contentFolder) && line.size() > contentFolder.size() &&
         line[contentFolder.size()] == '/';
}

// A hit reads path, " :   ", found text; the store's file names hold no colon, so the
// first colon after the folder ends the path, and the blank before it is dropped.
std::string_view HitPath(std::string_view line, size_t folderLength) {
  size_t colon = line.find(':', folderLength);
  if (colon == std::string_view::npos) return line;
  return line.substr(0, colon - 1);
}

}  // namespace

Notices OpenSearchResult(std::string_view line, OutputBarActions& actions) {
  std::string folder = actions.ContentFolder();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (IsCachedFileHit(line, folder)) {
    std::string path(HitPath(line, folder.size()));
    actions.ShowInHtmlPane(path);
    actions.SetAddress(actions.FindAddressOfLocalFile(path));
    return {};
  }
  std::optional<cache::CacheEntry> entry = actions.LookupEntry(line.substr(0, line.find(':')));
  if (!entry) return {{"", "Cache Entry not found!"}};
  actions.ShowInHtmlPane(entry->localFileName);
  actions.SetAddress(line);
  return {};
}

}  // namespace vantry::inspect

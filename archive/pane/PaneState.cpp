#include "archive/pane/PaneState.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace vantry::archive {

std::string PaneState::StartPage(std::string_view workingDirectory) {
  initialised_ = true;
  std::string path(workingDirectory);
  if (path.empty() || path.back() != '/') path += '/';
  path += kStartPageName;
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) ? path : std::string(kBuiltInStartPage);
}

PaneTarget PaneState::TargetForEntry(const cache::CurrentEntry& entry, bool localView) const {
  if (!initialised_) return {};
  const std::string& target = localView ? entry.localFileName : entry.address;
  // "None" is the file name the lists give an entry without stored headers, not a file.
  if (target.empty() || (localView && target == "None")) return {PaneTarget::Action::Clear, {}};
  return {PaneTarget::Action::Navigate, target};
}

std::string SuggestedSaveName(std::string_view address) {
  address = address.substr(0, address.find_first_of("?#"));
  // A site address without a path names its root folder.
  const size_t authority = address.find("://");
  if (authority != std::string_view::npos && address.find('/', authority + 3) == std::string_view::npos)
    return "index.html";
  std::string_view name = address.substr(address.find_last_of("/:") + 1);
  return name.empty() ? std::string("index.html") : std::string(name);
}

double ZoomFactorFor(FontSize size) {
  constexpr std::array kFactors = {0.7, 0.85, 1.0, 1.25, 1.5};
  return kFactors[static_cast<size_t>(size)];
}

std::string NameFilterFromPattern(std::string_view pattern) {
  std::string filters;
  while (!pattern.empty()) {
    size_t bar = pattern.find('|');
    std::string_view name = pattern.substr(0, bar);
    if (name.empty() || bar == std::string_view::npos) break;
    pattern.remove_prefix(bar + 1);
    bar = pattern.find('|');
    std::string_view globs = pattern.substr(0, bar);
    pattern.remove_prefix(bar == std::string_view::npos ? pattern.size() : bar + 1);
    std::string spaced(globs);
    for (char& c : spaced)
      if (c == ';') c = ' ';
    if (!filters.empty()) filters += ";;";
    filters += std::string(name) + " (" + spaced + ")";
  }
  return filters;
}

}  // namespace vantry::archive

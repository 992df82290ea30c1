#include "archive/pane/PaneState.h"

#include <array>

namespace vantry::archive {

std::string PaneState::StartPage(std::string_view workingDirectory) {
  initialised_ = true;
  std::string path(workingDirectory);
  if (path.empty() || path.back() != '/') path += '/';
  return path + std::string(kStartPageName);
}

std::optional<std::string> PaneState::TargetForEntry(const cache::CurrentEntry& entry, bool localView) const {
  if (!initialised_) return std::nullopt;
  const std::string& target = localView ? entry.localFileName : entry.address;
  // Navigating to nothing would throw away the page on show for a blank one; "None" is
  // the file name the lists give an entry without stored headers, not a file.
  if (target.empty() || (localView && target == "None")) return std::nullopt;
  return target;
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

#include "archive/ReferenceResolution.h"

#include <array>

namespace vantry::archive {
namespace {

// Text up to and including the last '/', else the last '\'; empty when it has neither.
std::string UpToLastSeparator(std::string_view text) {
  std::size_t end = text.rfind('/');
  if (end == std::string_view::npos) end = text.rfind('\\');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string StepUp(std::string_view folder) {
  if (folder.empty()) return {};
  return UpToLastSeparator(folder.substr(0, folder.size() - 1));
}

}  // namespace

PageFolders FoldersOf(std::string_view url) {
  PageFolders folders;
  folders.base = UpToLastSeparator(url);
  folders.parent = StepUp(folders.base);
  folders.grandparent = StepUp(folders.parent);
  const std::size_t schemeEnd = url.find("://");
  folders.originLength = schemeEnd == std::string_view::npos ? 0 : schemeEnd + 3;
  return folders;
}

std::string ResolveReference(const PageFolders& folders, std::string_view reference) {
  struct Rule {
    std::string_view prefix;
    const std::string PageFolders::*folder;
  };
  static const std::array<Rule, 8> kRules{{
      {"../../", &PageFolders::grandparent},
      {"../", &PageFolders::parent},
      {"..\\..\\", &PageFolders::grandparent},
      {"..\\", &PageFolders::parent},
      {"\\", &PageFolders::base},
      {"/", &PageFolders::base},
      {".\\", &PageFolders::base},
      {"./", &PageFolders::base},
  }};
  for (const Rule& rule : kRules) {
    if (!reference.starts_with(rule.prefix)) continue;
    const std::string& folder = folders.*rule.folder;
    // A folder that has lost its host ("http://" or less) cannot start an address.
    if (folders.originLength != 0 && folder.size() <= folders.originLength) return {};
    return folder + std::string(reference.substr(rule.prefix.size()));
  }
  if (reference.starts_with("http:") || reference.starts_with("https:")) return std::string(reference);
  return folders.base + std::string(reference);
}

}  // namespace vantry::archive

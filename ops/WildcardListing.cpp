#include "ops/WildcardListing.h"

#include <fnmatch.h>

#include <algorithm>
#include <string>
#include <system_error>

namespace vantry::ops {

std::optional<std::vector<std::filesystem::path>> TryListMatching(const std::filesystem::path& folder,
                                                                  std::string_view pattern) {
  std::error_code error;
  std::filesystem::directory_iterator entries(folder, error);
  if (error) return std::nullopt;
  const std::string wildcard(pattern);
  std::vector<std::filesystem::path> matches;
  for (const std::filesystem::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (::fnmatch(wildcard.c_str(), name.c_str(), 0) == 0) matches.push_back(entry.path());
  }
  std::sort(matches.begin(), matches.end());
  return matches;
}

std::vector<std::filesystem::path> ListMatching(const std::filesystem::path& folder, std::string_view pattern) {
  return TryListMatching(folder, pattern).value_or(std::vector<std::filesystem::path>{});
}

}  // namespace vantry::ops

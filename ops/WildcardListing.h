#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace vantry::ops {

// The entries of `folder` whose names match the wildcard `pattern` (fnmatch rules), in
// name order; nothing when the folder cannot be listed.
std::optional<std::vector<std::filesystem::path>> TryListMatching(const std::filesystem::path& folder,
                                                                  std::string_view pattern);

// As TryListMatching, with an empty list for a folder that cannot be listed.
std::vector<std::filesystem::path> ListMatching(const std::filesystem::path& folder, std::string_view pattern);

}  // namespace vantry::ops

#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vantry::app {

// The folder `vantry --desktop` works in: `home`/Vantry. When it does not exist yet it is
// made, with `startPage` as its "ebstract.htm". Nothing when the folder cannot be made.
std::optional<std::filesystem::path> PrepareDesktopFolder(const std::filesystem::path& home,
                                                          std::string_view startPage);

}  // namespace vantry::app

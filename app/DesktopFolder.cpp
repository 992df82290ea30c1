#include "app/DesktopFolder.h"

#include <system_error>

#include "archive/pane/PaneState.h"
#include "files/WholeFile.h"

namespace vantry::app {

std::optional<std::filesystem::path> PrepareDesktopFolder(const std::filesystem::path& home,
                                                          std::string_view startPage) {
  const std::filesystem::path folder = home / "Vantry";
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return folder;
  if (!std::filesystem::create_directories(folder, error)) return std::nullopt;
  // Without its start page the folder still works: the program shows its own.
  files::WriteWholeFile((folder / archive::kStartPageName).string(), startPage);
  return folder;
}

}  // namespace vantry::app

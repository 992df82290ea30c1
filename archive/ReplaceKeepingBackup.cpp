#include "archive/ReplaceKeepingBackup.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vantry::archive {

bool ReplaceKeepingBackup(const std::string& file, const std::string& temp, const std::string& backup) {
  std::remove(backup.c_str());
  if (::link(file.c_str(), backup.c_str()) != 0 && errno != ENOENT) {
    // A file system without hard links: a copy serves as the backup.
    std::error_code ignored;
    std::filesystem::copy_file(file, backup, std::filesystem::copy_options::overwrite_existing, ignored);
  }
  return std::rename(temp.c_str(), file.c_str()) == 0;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace vantry::archive

#include "ops/FolderRules.h"

#include <sys/stat.h>

namespace vantry::ops {
namespace {

bool MakeOneFolder(const std::string& path) { return !path.empty() && ::mkdir(path.c_str(), 0777) == 0; }

}  // namespace

std::string StripTrailingSeparator(std::string_view folder) {
  if (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  return std::string(folder);
}

bool IsExistingDirectory(std::string_view folder) {
  struct stat status {};
  return ::stat(std::string(folder).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string_view FolderValidationMessage(std::string_view folder, bool mustExist) {
  const bool exists = IsExistingDirectory(folder);
  if (mustExist && !exists) return kInvalidFolderMessage;
  if (!mustExist && exists) return kFolderExistsMessage;
  return {};
}

bool MakeTwoLevelFolder(const std::string& folder, archive::UserPrompt& prompt) {
  if (MakeOneFolder(folder)) return true;
  const size_t lastSeparator = folder.rfind('/');
  const std::string parent = lastSeparator == std::string::npos ? std::string() : folder.substr(0, lastSeparator);
  if (!MakeOneFolder(parent)) {
    prompt.Tell(folder, "Unable to create Directory?? Only 2 Levels of create new folders allowed!");
    return false;
  }
  if (!MakeOneFolder(folder)) {
    prompt.Tell(folder, "Unable to create Directory: Only two Levels allowed !?");
    return false;
  }
  return true;
}

}  // namespace vantry::ops

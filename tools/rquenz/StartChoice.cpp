#include "tools/rquenz/StartChoice.h"

#include <sys/stat.h>

#include <cerrno>

#include "tools/rquenz/ErrorText.h"

namespace rquenz {

StartChoice ChooseStart(std::string_view argument) {
  if (argument.starts_with("./")) return {false, std::string(argument.substr(2))};
  if (argument.starts_with("/")) return {true, std::string(argument.substr(1))};
  return {false, std::string(argument)};
}

NamePattern SplitPattern(std::string_view pattern) {
  const size_t slash = pattern.rfind('/');
  if (slash == std::string_view::npos) return {"", std::string(pattern)};
  // A pattern "/x" left after the start prefix names the root folder, not "".
  const std::string_view folder = slash == 0 ? pattern.substr(0, 1) : pattern.substr(0, slash);
  return {std::string(folder), std::string(pattern.substr(slash + 1))};
}

std::string MissingPatternFolder(const std::string& walkFolder, const NamePattern& pattern) {
  if (pattern.folder.empty()) return {};
  const std::string path = pattern.folder.starts_with('/')
                               ? pattern.folder
                               : walkFolder + (walkFolder.ends_with('/') ? "" : "/") + pattern.folder;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) {
    return S_ISDIR(info.st_mode) ? std::string() : path + ": the folder does not exist";
  }
  if (errno == ENOENT || errno == ENOTDIR) return path + ": the folder does not exist";
  return path + ": " + ErrorText("cannot enter folder", errno);
}

}  // namespace rquenz

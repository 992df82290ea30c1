#include "archive/DirectoryChain.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vantry::archive {
namespace {

bool CanEnter(const std::string& folder) {
  struct stat info;
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(folder.c_str(), X_OK) == 0;
}

}  // namespace

bool MakeDirectoryChain(const std::string& relativeFolders, const std::string& base, UserPrompt& prompt) {
  std::string folder = base;
  std::string_view rest = relativeFolders;
  for (;;) {
    const std::size_t slash = rest.find('/');
    folder += '/';
    folder += rest.substr(0, slash);
    ::mkdir(folder.c_str(), 0777);
    // The deepest level is not checked here: a file that cannot be written there is reported
    // by the copy itself.
    if (slash == std::string_view::npos) return true;
    if (!CanEnter(folder)) {
      prompt.Tell(folder, "unable to create dir");
      return false;
    }
    rest.remove_prefix(slash + 1);
  }
}

}  // namespace vantry::archive

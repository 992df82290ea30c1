#include "archive/ArchivePaths.h"

#include <fcntl.h>
#include <unistd.h>

#include "files/WholeFile.h"

namespace vantry::archive {
namespace {

bool CanRead(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

}  // namespace

ArchivePaths MakeArchivePaths(const std::string& folder) {
  const std::string base = folder.ends_with('/') ? folder : folder + "/";
  return ArchivePaths{
      .history = base + "Histfile.dbx",
      .copies = base + "Allfile.dbx",
      .history_backup = base + "Histfile.bak",
      .history_temp = base + "Histfile.tmp",
      .change_log = base + "change.log",
      .index = base + "indexfil.htm",
      .index_backup = base + "indexfil.bak",
      .index_temp = base + "indexfil.tmp",
  };
}

void PrepareArchiveFiles(const ArchivePaths& paths, UserPrompt& prompt) {
  if (!CanRead(paths.change_log)) files::WriteWholeFile(paths.change_log, "");
  if (!CanRead(paths.history) && !files::WriteWholeFile(paths.history, "\x1A", files::Durability::kSynced)) {
    prompt.Tell("Can't create History-File !??", "Vantry");
  }
}

}  // namespace vantry::archive

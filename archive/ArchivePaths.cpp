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
      .historyBackup = base + "Histfile.bak",
      .historyTemp = base + "Histfile.tmp",
      .changeLog = base + "change.log",
      .index = base + "indexfil.htm",
      .indexBackup = base + "indexfil.bak",
      .indexTemp = base + "indexfil.tmp",
  };
}

void PrepareArchiveFiles(const ArchivePaths& paths, UserPrompt& prompt) {
  if (!CanRead(paths.changeLog)) files::WriteWholeFile(paths.changeLog, "");
  if (!CanRead(paths.history) && !files::WriteWholeFile(paths.history, "\x1A", files::Durability::kSynced)) {
    prompt.Tell("Can't create History-File !??", "Vantry");
  }
}

}  // namespace vantry::archive

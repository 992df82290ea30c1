#pragma once

#include <string>

#include "archive/UserPrompt.h"

namespace vantry::archive {

// The full paths of the archive files and the index page, fixed when the program starts.
struct ArchivePaths {
  std::string history;        // Histfile.dbx: one record per server copied as a tree
  std::string copies;         // Allfile.dbx: one record per file of a tree copy
  std::string historyBackup;  // Histfile.bak
  std::string historyTemp;    // Histfile.tmp
  std::string changeLog;      // change.log: recorded link translations of folder pages
  std::string index;          // indexfil.htm: the index page of local copies
  std::string indexBackup;    // indexfil.bak
  std::string indexTemp;      // indexfil.tmp
};

// The archive paths inside `folder` (the program's working directory).
ArchivePaths MakeArchivePaths(const std::string& folder);

// Creates an empty change.log and a Histfile.dbx holding the single byte 0x1A (Ctrl-Z) where
// they cannot be opened; a history file that cannot be created is reported
// ("Can't create History-File !??" / "Vantry").
void PrepareArchiveFiles(const ArchivePaths& paths, UserPrompt& prompt);

}  // namespace vantry::archive

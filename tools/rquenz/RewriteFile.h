#pragma once

#include <sys/stat.h>

#include <string>

#include "tools/rquenz/StreamSubstituter.h"

namespace rquenz {

// The working file every rewrite goes through, in the folder of the file.
inline constexpr const char* kTempFileName = "tempfil";

// The name that keeps a file's previous version: the name cut at its last '.'
// (when it has one) followed by ".bak".
std::string BackupName(const std::string& name);

// Rewrites the file `name` of the folder `folderFd` through "tempfil" and keeps
// its previous version under `backupName`; the new file gets the old one's
// permission bits (and owner, where allowed). The new content replaces the
// file atomically, and a failure at any step leaves the file exactly as it
// was (an older backup under `backupName` may be gone).
// REQUIRES: backupName differs from name.
// Returns "" on success, else what failed.
std::string ReplaceInFile(int folderFd, const std::string& name, const std::string& backupName,
                          StreamSubstituter& substituter);

// A file's new content worked out in memory ahead of its turn. Only the file
// itself is read, so nothing in its folder changes until the rewrite is put in
// place, and the failures come out as they would in ReplaceInFile.
struct PreparedRewrite {
  enum class State { kNotPrepared, kSourceFailed, kReadFailed, kReady };
  State state = State::kNotPrepared;
  std::string error;         // what failed, for kSourceFailed and kReadFailed
  struct stat source {};     // the file's owner and mode, once it is open
  SubstitutedBytes content;  // the new content, for kReady
};

// Reads and substitutes the file `name` of the folder `folderFd` into `buffer`
// (a buffer of an earlier rewrite, or an empty one). A file whose new content
// would not fit the substituter's buffer stays kNotPrepared.
PreparedRewrite PrepareRewrite(int folderFd, const std::string& name, StreamSubstituter& substituter,
                               SubstitutedBytes buffer);

// ReplaceInFile with the content `prepared` holds; one that is not prepared is
// rewritten by ReplaceInFile itself.
std::string PutRewriteInPlace(int folderFd, const std::string& name, const std::string& backupName,
                              PreparedRewrite& prepared, StreamSubstituter& substituter);

}  // namespace rquenz

#pragma once

#include <string>

namespace rquenz {

class StreamSubstituter;

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

}  // namespace rquenz

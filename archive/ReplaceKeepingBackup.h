#pragma once

#include <string>

namespace vantry::archive {

// Makes the finished `temp` the new `file` with one atomic rename, so that `file` exists at every
// moment; the previous version of `file` (if any) becomes `backup`, replacing an older backup.
// REQUIRES: all three paths lie on one file system.
bool ReplaceKeepingBackup(const std::string& file, const std::string& temp, const std::string& backup);

// The folder part of a path (text before the last '/'), "." when there is none.
std::string FolderOf(const std::string& path);

}  // namespace vantry::archive

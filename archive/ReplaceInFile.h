#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// Replaces every occurrence of `search` in the file by `replacement`, left to right and without
// overlaps. The new content is written to "$$$$.ERS" in the file's folder and renamed over the
// file; the previous content stays as the file's name with the extension ".bak". Equal texts or
// an empty search change nothing and leave no ".bak". Returns false, leaving the file as it
// is, when it cannot be read or the temporary file cannot be written.
bool ReplaceInFile(const std::string& path, std::string_view search, std::string_view replacement);

// The names of the two working files of ReplaceInFile for `path`.
std::string ReplacementTempPath(const std::string& path);
std::string ReplacementBackupPath(const std::string& path);

}  // namespace vantry::archive

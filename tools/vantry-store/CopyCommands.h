#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::storetool {

// copy-tree URL DEST [COMMENT] and copy-page URL DEST [COMMENT]: the copies of the window's
// "Copy reconstructing tree" and "Copy single file" into DEST (made when missing), with the
// archive files of `archiveFolder` kept as vantry keeps them. Prints each copied file; returns
// 0, or 1 when anything could not be done (each problem named on `err`).
int RunCopyTree(const std::vector<std::string>& operands, cache::UrlCacheStore& store,
                const std::filesystem::path& archiveFolder, std::ostream& out, std::ostream& err);
int RunCopyPage(const std::vector<std::string>& operands, cache::UrlCacheStore& store,
                const std::filesystem::path& archiveFolder, std::ostream& out, std::ostream& err);

}  // namespace vantry::storetool

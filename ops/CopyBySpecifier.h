#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ops/CommandServices.h"

namespace vantry::ops {

struct SpecifierCopyResult {
  bool reachedEnd = false;  // the walk reached the store's end
  size_t copied = 0;        // files written to the folder
};

// Copies the cached file of every content entry that the specifier selects into `folder`,
// under the cached file's own name (a later file of the same name overwrites an earlier
// one). A failed copy asks whether to stop; Yes ends the walk. With `deleteAfterCopy` each
// entry whose file was copied is removed from the cache. Steps the progress bar, and the user
// may stop the copy between two files; the published statistics are left as they are.
SpecifierCopyResult CopyBySpecifier(CommandContext& context, std::string_view specifier, const std::string& folder,
                                    bool deleteAfterCopy);

// What the status bar says after "Copy files....": how many files went where, and whether the
// copy was stopped before the end.
std::string SpecifierCopySummary(const SpecifierCopyResult& result, const std::string& folder);

}  // namespace vantry::ops

#pragma once

#include <string>
#include <string_view>

#include "ops/CommandServices.h"
#include "ops/CopyOutcome.h"

namespace vantry::ops {

// Copies the cached file of every content entry that the specifier selects into `folder`,
// under the cached file's own name (a later file of the same name overwrites an earlier
// one). A failed copy asks whether to stop; Yes ends the walk. With `deleteAfterCopy` each
// entry whose file was copied is removed from the cache. Steps the progress bar, and the user
// may stop the copy between two files; the published statistics are left as they are.
CopyOutcome CopyBySpecifier(CommandContext& context, std::string_view specifier, const std::string& folder,
                            bool deleteAfterCopy);

}  // namespace vantry::ops

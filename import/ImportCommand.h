#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::import {

// "vantry-store import": `args` are the words after "import" ("firefox [PROFILE]",
// "chromium [PROFILE]", "har FILE"). Writes the summary to `out`, progress, notes and
// errors to `err`. Returns 0 when the source was read, 1 when nothing could be read,
// 2 for a wrong command line.
int RunImportCommand(const std::vector<std::string>& args, cache::UrlCacheStore& store, std::ostream& out,
                     std::ostream& err);

}  // namespace vantry::import

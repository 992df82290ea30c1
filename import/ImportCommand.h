#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::import {

// Whether `args` (the words after "import") form an import command line: known words,
// their number, a PROFILE_FOLDER that is a folder. Says why not on `err`, with the usage.
bool CheckImportArguments(const std::vector<std::string>& args, std::ostream& err);

// "vantry-store import": `args` are the words after "import": "firefox [PROFILE]" or
// "chromium [PROFILE]" (the default profiles, or the one of that name or folder), "all"
// (every profile found), "PROFILE_FOLDER" (a profile told by its files) or "har FILE".
// Writes each profile's summary to `out`, progress, notes and errors to `err`. Returns
// 0 when everything read was stored, 1 when a source could not be read at all or the
// store refused something, 2 for a wrong command line.
int RunImportCommand(const std::vector<std::string>& args, cache::UrlCacheStore& store, std::ostream& out,
                     std::ostream& err);

}  // namespace vantry::import

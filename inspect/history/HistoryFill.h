#pragma once

#include <array>
#include <string>
#include <vector>

#include "cache/lists/ListFill.h"
#include "dates/LocalClock.h"
#include "inspect/history/AgeFolders.h"

namespace vantry::inspect {

// The item texts of each age folder, each folder in the store's order.
using HistoryFolders = std::array<std::vector<std::string>, kAgeFolderCount>;

// Walks the history entries ("visited:"), tallies every entry by variant A and places
// each history entry that is not a cookie entry into the folder of its last access
// (local date) relative to `today`. Visits after today are counted but not placed. Ends
// early (WalkResult::Stopped) when the user stops `work`.
cache::FillResult FillHistoryFolders(cache::UrlCacheStore& store, uint32_t clusterSize,
                                     const dates::CalendarFields& today, HistoryFolders& folders,
                                     const cache::ProgressStep& stepProgress, cache::WorkProgress& work);

}  // namespace vantry::inspect

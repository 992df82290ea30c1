#pragma once

#include "cache/store/CacheEntry.h"
#include "cache/store/CacheStatistics.h"
#include "ops/BrowserCacheDeletion.h"
#include "ops/CommandServices.h"

namespace vantry::ops {

// The entries "Delete ... history entries" and "Delete All Cookie Entries" remove.
// Modes 1 to 5 consider history entries only, mode 6 every entry.
enum class DeleteCategory {
  TodaysHistory = 1,  // last used on today's local date
  AllHistory = 2,
  InactiveHistory = 3,    // the visited address has no content entry any more
  MkProtocolHistory = 4,  // "Visited: @mk:@..."
  LocalFileHistory = 5,   // "Visited: @file:..."
  CookieEntries = 6,
};

// Counts one entry of the category walk: every entry in the total; cookie and history
// entries in their own counters; the others as URLs, by protocol and by the kind their
// address's last extension names. Sizes are not summed.
void TallyCategoryEntry(cache::CacheStatistics& statistics, const cache::CacheEntry& entry);

// Deletes the entries of `category` through `deletion`, tallying every entry, deleted or not,
// and steps the progress bar; the user may stop it after any entry. At the store's normal end
// the tally goes to the output bar's statistics page (the frame's copy stays) and the result
// is true.
bool DeleteByCategory(CommandContext& context, DeleteCategory category, LineSink& statisticsPage,
                      BrowserCacheDeletion& deletion);

}  // namespace vantry::ops

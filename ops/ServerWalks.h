#pragma once

#include <string_view>

#include "ops/BrowserCacheDeletion.h"
#include "ops/CommandServices.h"

// The walks that act on every content entry whose address contains a text: a
// case-sensitive substring anywhere in the address, so any part of an address serves.
// Both show the wait cursor (the command restores it), step the progress bar after the
// first entry, leave the published statistics as they are, and return true when the walk
// reached the store's end; the user may stop them after any entry.
namespace vantry::ops {

// Removes the matching entries from the cache through `deletion`.
bool DeleteByServer(CommandContext& context, std::string_view text, BrowserCacheDeletion& deletion);

// Adds STICKY_CACHE_ENTRY to the matching entries' types (an entry already sticky is
// written again unchanged).
bool StickyByServer(CommandContext& context, std::string_view text);

// Adds STICKY_CACHE_ENTRY to one entry's type, writing back the type only.
void MarkSticky(cache::UrlCacheStore& store, cache::CacheEntry entry);

}  // namespace vantry::ops

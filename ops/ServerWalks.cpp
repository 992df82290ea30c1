#include "ops/ServerWalks.h"

#include "cache/store/CacheAccess.h"
#include "ops/ProgressPacer.h"

namespace vantry::ops {
namespace {

template <typename Action>
bool ForEachContentEntryContaining(CommandContext& context, std::string_view text, std::string_view what,
                                   Action action) {
  context.cursor.Show();
  ProgressPacer pacer(context.frame, ProgressPacer::First::Skipped, what);
  const cache::WalkResult result = cache::WalkCacheUntil(context.store, "", [&](cache::CacheEntry& entry) {
    if (cache::IsContentEntry(entry) && entry.sourceUrl.find(text) != std::string::npos) action(entry);
    return pacer.Count();
  });
  return result == cache::WalkResult::Normal;
}

}  // namespace

bool DeleteByServer(CommandContext& context, std::string_view text, BrowserCacheDeletion& deletion) {
  return ForEachContentEntryContaining(context, text, "Deleting entries",
                                       [&](cache::CacheEntry& entry) { deletion.Delete(entry.sourceUrl); });
}

bool StickyByServer(CommandContext& context, std::string_view text) {
  return ForEachContentEntryContaining(context, text, "Marking entries sticky",
                                       [&](cache::CacheEntry& entry) { MarkSticky(context.store, entry); });
}

void MarkSticky(cache::UrlCacheStore& store, cache::CacheEntry entry) {
  entry.entryType |= cache::STICKY_CACHE_ENTRY;
  store.SetEntryInfo(entry.sourceUrl, entry, cache::CACHE_ENTRY_ATTRIBUTE_FC);
}

}  // namespace vantry::ops

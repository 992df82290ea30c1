#include "ops/ServerWalks.h"

#include "cache/store/CacheAccess.h"
#include "ops/ProgressPacer.h"

namespace vantry {
namespace {

template <typename Action>
bool ForEachContentEntryContaining(CommandContext& context, std::string_view text, Action action) {
  context.cursor.Show();
  ProgressPacer pacer(context.frame, ProgressPacer::First::Skipped);
  const WalkResult result = WalkCache(context.store, "", [&](CacheEntry& entry) {
    pacer.Count();
    if (IsContentEntry(entry) && entry.sourceUrl.find(text) != std::string::npos) action(entry);
  });
  return result == WalkResult::Normal;
}

}  // namespace

bool DeleteByServer(CommandContext& context, std::string_view text) {
  return ForEachContentEntryContaining(context, text,
                                       [&](CacheEntry& entry) { context.store.DeleteEntry(entry.sourceUrl); });
}

bool StickyByServer(CommandContext& context, std::string_view text) {
  return ForEachContentEntryContaining(context, text, [&](CacheEntry& entry) { MarkSticky(context.store, entry); });
}

void MarkSticky(UrlCacheStore& store, CacheEntry entry) {
  entry.entryType |= STICKY_CACHE_ENTRY;
  store.SetEntryInfo(entry.sourceUrl, entry, CACHE_ENTRY_ATTRIBUTE_FC);
}

}  // namespace vantry

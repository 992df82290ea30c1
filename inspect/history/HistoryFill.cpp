#include "inspect/history/HistoryFill.h"

#include "cache/store/Classification.h"
#include "dates/FileTime.h"

FillResult FillHistoryFolders(UrlCacheStore& store, uint32_t clusterSize, const vantry::CalendarFields& today,
                              HistoryFolders& folders, const ProgressStep& stepProgress) {
  FillResult fill;
  ProgressTicker ticker(stepProgress);
  fill.walk = WalkCache(store, "visited:", [&](CacheEntry& entry) {
    TallyEntry(fill.statistics, entry, TallyVariant::A, clusterSize);
    bool placed = (entry.entryType & URLHISTORY_CACHE_ENTRY) != 0 && (entry.entryType & COOKIE_CACHE_ENTRY) == 0;
    if (placed) {
      vantry::CalendarFields visit = vantry::FileTimeToLocalFields(entry.lastAccessTime);
      if (std::optional<int> folder = AgeFolderOf(visit, today))
        folders[*folder].emplace_back(HistoryItemText(entry.sourceUrl));
    }
    ticker.Entry();
  });
  return fill;
}

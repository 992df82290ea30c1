#include "inspect/history/HistoryFill.h"

#include "cache/store/Classification.h"
#include "dates/FileTime.h"

namespace vantry::inspect {

cache::FillResult FillHistoryFolders(cache::UrlCacheStore& store, uint32_t clusterSize,
                                     const dates::CalendarFields& today, HistoryFolders& folders,
                                     const cache::ProgressStep& stepProgress, cache::WorkProgress& work) {
  cache::FillResult fill;
  cache::ProgressTicker ticker(stepProgress, work);
  fill.walk = cache::WalkCacheUntil(store, "visited:", [&](cache::CacheEntry& entry) {
    cache::TallyEntry(fill.statistics, entry, cache::TallyVariant::AccessOrder, clusterSize);
    bool placed =
        (entry.entryType & cache::URLHISTORY_CACHE_ENTRY) != 0 && (entry.entryType & cache::COOKIE_CACHE_ENTRY) == 0;
    if (placed) {
      dates::CalendarFields visit = dates::FileTimeToLocalFields(entry.lastAccessTime);
      if (std::optional<int> folder = AgeFolderOf(visit, today))
        folders[*folder].emplace_back(HistoryItemText(entry.sourceUrl));
    }
    return ticker.Entry();
  });
  return fill;
}

}  // namespace vantry::inspect

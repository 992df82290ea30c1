#include "ops/CategoryDelete.h"

#include <string_view>

#include "cache/store/CacheAccess.h"
#include "cache/store/StatisticsText.h"
#include "dates/FileTime.h"
#include "ops/HistoryKey.h"
#include "dates/LocalClock.h"
#include "ops/ProgressPacer.h"

namespace vantry {
namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool SameDay(const CalendarFields& a, const CalendarFields& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool HasActiveContent(UrlCacheStore& store, std::string_view historyKey) {
  if (!historyKey.starts_with(kHistoryKeyPrefix)) return true;
  std::optional<CacheEntry> content = LookupEntry(store, historyKey.substr(kHistoryKeyPrefix.size()));
  return content && IsContentEntry(*content);
}

bool ShouldDelete(UrlCacheStore& store, DeleteCategory category, const CacheEntry& entry,
                  const CalendarFields& today) {
  if (category == DeleteCategory::CookieEntries) return (entry.entryType & COOKIE_CACHE_ENTRY) != 0;
  if ((entry.entryType & URLHISTORY_CACHE_ENTRY) == 0) return false;
  const std::string_view key = entry.sourceUrl;
  switch (category) {
    case DeleteCategory::TodaysHistory:
      return SameDay(FileTimeToLocalFields(entry.lastAccessTime), today);
    case DeleteCategory::AllHistory:
      return true;
    case DeleteCategory::InactiveHistory:
      return !HasActiveContent(store, key);
    case DeleteCategory::MkProtocolHistory:
      return key.starts_with("Visited: @mk:@");
    case DeleteCategory::LocalFileHistory:
      return key.starts_with("Visited: @file:");
    case DeleteCategory::CookieEntries:
      break;
  }
  return false;
}

}  // namespace

void TallyCategoryEntry(CacheStatistics& statistics, const CacheEntry& entry) {
  ++statistics[CacheStatistics::kTotal];
  if (entry.entryType & COOKIE_CACHE_ENTRY) {
    ++statistics[CacheStatistics::kCookie];
    return;
  }
  if (entry.entryType & URLHISTORY_CACHE_ENTRY) {
    ++statistics[CacheStatistics::kHistory];
    return;
  }
  ++statistics[CacheStatistics::kUrl];
  const std::string_view address = entry.sourceUrl;
  if (Contains(address, "http://"))
    ++statistics[CacheStatistics::kHttp];
  else if (Contains(address, "ftp://"))
    ++statistics[CacheStatistics::kFtp];
  const size_t dot = address.rfind('.');
  if (dot == std::string_view::npos) return;
  const std::string_view extension = address.substr(dot);
  if (Contains(extension, "gif"))
    ++statistics[CacheStatistics::kGif];
  else if (Contains(extension, "art") || Contains(extension, "jpg"))
    ++statistics[CacheStatistics::kJpeg];
  else if (Contains(extension, "htm"))
    ++statistics[CacheStatistics::kHtmExtension];
}

bool DeleteByCategory(CommandContext& context, DeleteCategory category, LineSink& statisticsPage) {
  CacheStatistics statistics;
  context.cursor.Show();
  const CalendarFields today = ReadLocalClock();
  ProgressPacer pacer(context.frame, ProgressPacer::First::Counted);
  const WalkResult result = WalkCache(context.store, "", [&](CacheEntry& entry) {
    if (ShouldDelete(context.store, category, entry, today)) context.store.DeleteEntry(entry.sourceUrl);
    TallyCategoryEntry(statistics, entry);
    pacer.Count();
  });
  if (result == WalkResult::Normal) statisticsPage.ShowLines(StatisticsLines(statistics));
  // The arrow comes back after a failed walk too, not only at the normal end.
  context.cursor.Restore();
  return result == WalkResult::Normal;
}

}  // namespace vantry

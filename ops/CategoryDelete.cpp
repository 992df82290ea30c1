#include "ops/CategoryDelete.h"

#include <string_view>

#include "cache/store/CacheAccess.h"
#include "cache/store/StatisticsText.h"
#include "dates/FileTime.h"
#include "dates/LocalClock.h"
#include "ops/HistoryKey.h"
#include "ops/ProgressPacer.h"

namespace vantry::ops {
namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool SameDay(const dates::CalendarFields& a, const dates::CalendarFields& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool HasActiveContent(cache::UrlCacheStore& store, std::string_view historyKey) {
  if (!historyKey.starts_with(kHistoryKeyPrefix)) return true;
  std::optional<cache::CacheEntry> content = cache::LookupEntry(store, historyKey.substr(kHistoryKeyPrefix.size()));
  return content && cache::IsContentEntry(*content);
}

bool ShouldDelete(cache::UrlCacheStore& store, DeleteCategory category, const cache::CacheEntry& entry,
                  const dates::CalendarFields& today) {
  if (category == DeleteCategory::CookieEntries) return (entry.entryType & cache::COOKIE_CACHE_ENTRY) != 0;
  if ((entry.entryType & cache::URLHISTORY_CACHE_ENTRY) == 0) return false;
  const std::string_view key = entry.sourceUrl;
  switch (category) {
    case DeleteCategory::TodaysHistory:
      return SameDay(dates::FileTimeToLocalFields(entry.lastAccessTime), today);
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

void TallyCategoryEntry(cache::CacheStatistics& statistics, const cache::CacheEntry& entry) {
  ++statistics[cache::CacheStatistics::kTotal];
  if (entry.entryType & cache::COOKIE_CACHE_ENTRY) {
    ++statistics[cache::CacheStatistics::kCookie];
    return;
  }
  if (entry.entryType & cache::URLHISTORY_CACHE_ENTRY) {
    ++statistics[cache::CacheStatistics::kHistory];
    return;
  }
  ++statistics[cache::CacheStatistics::kUrl];
  const std::string_view address = entry.sourceUrl;
  if (Contains(address, "http://"))
    ++statistics[cache::CacheStatistics::kHttp];
  else if (Contains(address, "ftp://"))
    ++statistics[cache::CacheStatistics::kFtp];
  const size_t dot = address.rfind('.');
  if (dot == std::string_view::npos) return;
  const std::string_view extension = address.substr(dot);
  if (Contains(extension, "gif"))
    ++statistics[cache::CacheStatistics::kGif];
  else if (Contains(extension, "art") || Contains(extension, "jpg"))
    ++statistics[cache::CacheStatistics::kJpeg];
  else if (Contains(extension, "htm"))
    ++statistics[cache::CacheStatistics::kHtmExtension];
}

bool DeleteByCategory(CommandContext& context, DeleteCategory category, LineSink& statisticsPage,
                      BrowserCacheDeletion& deletion) {
  cache::CacheStatistics statistics;
  context.cursor.Show();
  const dates::CalendarFields today = dates::ReadLocalClock();
  ProgressPacer pacer(context.frame, ProgressPacer::First::Counted, "Deleting entries");
  // Each entry leaves the store whole, so the walk may stop after any of them.
  const cache::WalkResult result = cache::WalkCacheUntil(context.store, "", [&](cache::CacheEntry& entry) {
    if (ShouldDelete(context.store, category, entry, today)) deletion.Delete(entry.sourceUrl);
    TallyCategoryEntry(statistics, entry);
    return pacer.Count();
  });
  if (result == cache::WalkResult::Normal) statisticsPage.ShowLines(cache::StatisticsLines(statistics));
  // The arrow comes back after a failed walk too, not only at the normal end.
  context.cursor.Restore();
  return result == cache::WalkResult::Normal;
}

}  // namespace vantry::ops

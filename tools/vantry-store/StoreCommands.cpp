#include "tools/vantry-store/StoreCommands.h"

#include <ctime>
#include <ostream>

#include "cache/store/StoreError.h"
#include "tools/vantry-store/DemoSite.h"
#include "tools/vantry-store/ResponseHeaders.h"
#include "tools/vantry-store/SyntheticEntries.h"

namespace vantry::storetool {

namespace {

constexpr int64_t kDay = 24 * 3600;

enum class EntryKind { Content, Cookie, History, Other };

EntryKind KindOf(const cache::CacheEntry& entry) {
  if (entry.entryType & cache::COOKIE_CACHE_ENTRY) return EntryKind::Cookie;
  if (entry.entryType & cache::URLHISTORY_CACHE_ENTRY) return EntryKind::History;
  return cache::IsContentEntry(entry) ? EntryKind::Content : EntryKind::Other;
}

const char* KindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::Content:
      return "content";
    case EntryKind::Cookie:
      return "cookie";
    case EntryKind::History:
      return "history";
    case EntryKind::Other:
      break;
  }
  return "other";
}

uint64_t SizeOf(const cache::CacheEntry& entry) { return entry.sizeLow + (uint64_t(entry.sizeHigh) << 32); }

int StoreFailure(ToolContext& context, std::string_view what, std::string_view cause) {
  context.err << "vantry-store: " << what << " failed: " << cause << " (store " << context.store.RootFolder().string()
              << ")\n";
  return kExitFailure;
}

int StoreFailure(ToolContext& context, std::string_view what, uint32_t error) {
  return StoreFailure(context, what, cache::StoreErrorText(error));
}

constexpr std::string_view kUnreadableIndex = "the store's index could not be read";

}  // namespace

cache::WalkResult CountEntries(cache::UrlCacheStore& store, EntryCounts& counts) {
  counts = {};
  return cache::WalkCache(store, "", [&](cache::CacheEntry& entry) {
    switch (KindOf(entry)) {
      case EntryKind::Content:
        ++counts.content;
        break;
      case EntryKind::Cookie:
        ++counts.cookies;
        break;
      case EntryKind::History:
        ++counts.history;
        break;
      case EntryKind::Other:
        ++counts.other;
        break;
    }
    counts.bytes += SizeOf(entry);
  });
}

std::string ListLine(const cache::CacheEntry& entry) {
  time_t seconds = static_cast<time_t>(cache::UnixSecondsFromFileTime(entry.lastAccessTime));
  tm local{};
  localtime_r(&seconds, &local);
  char date[32];
  strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local);
  char head[96];
  snprintf(head, sizeof head, "%-8s 0x%08x %10llu  %s  ", KindName(KindOf(entry)), entry.entryType,
           static_cast<unsigned long long>(SizeOf(entry)), date);
  return head + entry.sourceUrl;
}

cache::NewEntry FileEntry(std::string_view url, std::string_view bytes, std::string_view contentType, bool sticky,
                          int64_t now) {
  cache::NewEntry entry;
  entry.url = url;
  entry.content = bytes;
  ResponseFacts facts;
  facts.contentType = contentType.empty() ? ContentTypeForName(url) : contentType;
  facts.contentLength = bytes.size();
  facts.date = facts.lastModified = now;
  entry.headers = ResponseHeaders(facts);
  entry.entryType = cache::NORMAL_CACHE_ENTRY | (sticky ? cache::STICKY_CACHE_ENTRY : 0);
  entry.lastModifiedTime = entry.lastAccessTime = entry.lastSyncTime = cache::FileTimeFromUnixSeconds(now);
  entry.expireTime = cache::FileTimeFromUnixSeconds(now + facts.maxAgeSeconds);
  return entry;
}

int RunDemo(const StoreToolCommand&, ToolContext& context) {
  DemoSummary summary;
  if (uint32_t error = AddDemoSite(context.store, context.now, summary); error != cache::STORE_OK)
    return StoreFailure(context, "demo", error);
  context.out << "Added the demo site to " << context.store.RootFolder().string() << ": " << summary.contentEntries
              << " content entries, " << summary.cookies << " cookies, " << summary.visits << " history visits.\n";
  return kExitOk;
}

int RunSynth(const StoreToolCommand& command, ToolContext& context) {
  EntryCounts before;
  if (CountEntries(context.store, before) != cache::WalkResult::Normal)
    return StoreFailure(context, "synth", kUnreadableIndex);
  SynthSummary summary;
  uint32_t error = AddSyntheticEntries(context.store, before.total(), command.count, context.now, summary);
  if (error != cache::STORE_OK) return StoreFailure(context, "synth", error);
  context.out << "Added " << command.count << " synthetic entries to " << context.store.RootFolder().string() << ": "
              << summary.content << " content, " << summary.visits << " history, " << summary.cookieSites
              << " cookie.\n";
  return kExitOk;
}

int RunAdd(const StoreToolCommand& command, const std::string& fileBytes, ToolContext& context) {
  const std::string& url = command.operands[0];
  std::string_view contentType = command.operands.size() == 3 ? std::string_view(command.operands[2]) : "";
  if (uint32_t error = context.store.AddEntry(FileEntry(url, fileBytes, contentType, command.sticky, context.now));
      error != cache::STORE_OK)
    return StoreFailure(context, "add", error);
  context.out << "Added " << url << " (" << fileBytes.size() << " bytes).\n";
  return kExitOk;
}

int RunVisit(const StoreToolCommand& command, ToolContext& context) {
  cache::FileTime when = cache::FileTimeFromUnixSeconds(context.now - command.days * kDay);
  if (uint32_t error = context.store.RecordVisit(command.operands[0], when, 1); error != cache::STORE_OK)
    return StoreFailure(context, "visit", error);
  context.out << "Recorded a visit of " << command.operands[0] << ".\n";
  return kExitOk;
}

int RunCookie(const StoreToolCommand& command, ToolContext& context) {
  cache::Cookie cookie;
  cookie.domain = command.operands[0];
  cookie.name = command.operands[1];
  cookie.value = command.operands[2];
  cookie.path = command.path;
  cookie.flags = command.secure ? cache::COOKIE_FLAG_SECURE : 0;
  cookie.expiry = command.days ? cache::FileTimeFromUnixSeconds(context.now + command.days * kDay) : 0;
  cookie.creation = cache::FileTimeFromUnixSeconds(context.now);
  if (uint32_t error = context.store.SetCookie(cookie); error != cache::STORE_OK)
    return StoreFailure(context, "cookie", error);
  context.out << "Set the cookie " << cookie.name << " for " << cookie.domain << cookie.path << ".\n";
  return kExitOk;
}

int RunRemove(const StoreToolCommand& command, ToolContext& context) {
  const std::string& key = command.operands[0];
  uint32_t error = context.store.DeleteEntry(key);
  if (error == cache::ERROR_FILE_NOT_FOUND) {
    context.err << "vantry-store: rm: no entry has the key \"" << key << "\"\n";
    return kExitFailure;
  }
  if (error != cache::STORE_OK) return StoreFailure(context, "rm", error);
  context.out << "Deleted " << key << ".\n";
  return kExitOk;
}

int RunList(const StoreToolCommand& command, ToolContext& context) {
  std::string_view prefix = command.operands.empty() ? std::string_view() : std::string_view(command.operands[0]);
  cache::WalkResult result = cache::WalkCache(
      context.store, prefix, [&](cache::CacheEntry& entry) { context.out << ListLine(entry) << "\n"; });
  return result == cache::WalkResult::Normal ? kExitOk : StoreFailure(context, "list", kUnreadableIndex);
}

int RunStats(const StoreToolCommand&, ToolContext& context) {
  EntryCounts counts;
  if (CountEntries(context.store, counts) != cache::WalkResult::Normal)
    return StoreFailure(context, "stats", kUnreadableIndex);
  context.out << "Content entries: " << counts.content << "\n"
              << "Cookie entries: " << counts.cookies << "\n"
              << "History entries: " << counts.history << "\n"
              << "Other entries: " << counts.other << "\n"
              << "Total entries: " << counts.total() << "\n"
              << "Total bytes: " << counts.bytes << "\n";
  return kExitOk;
}

}  // namespace vantry::storetool

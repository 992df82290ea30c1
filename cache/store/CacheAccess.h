#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cache/store/CacheEntry.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::cache {

// The four operations through which the program reaches the cache store.

// How a walk ended: normally (the store reported no more items), with a failure, or early
// because its step asked to stop.
enum class WalkResult { Normal, Failed, Stopped };

// The step may change the entry it is handed (the classifiers lower-case its headers)
// but keeps nothing of it after returning.
using WalkStep = std::function<void(CacheEntry&)>;

// Hands every entry matching `pattern` (empty: all; "visited:": history entries) to
// `step`, the first one included, each in a fresh buffer offered at 4096 bytes.
WalkResult WalkCache(UrlCacheStore& store, std::string_view pattern, const WalkStep& step);

// As WalkCache, with a step that returns false to end the walk at once (Stopped).
using StoppableWalkStep = std::function<bool(CacheEntry&)>;
WalkResult WalkCacheUntil(UrlCacheStore& store, std::string_view pattern, const StoppableWalkStep& step);

// The entry whose key is exactly `url`, or nothing.
std::optional<CacheEntry> LookupEntry(UrlCacheStore& store, std::string_view url);

// The local file name of `url`'s entry; `noHeaders` when the entry has no header info,
// and nothing when there is no such entry.
std::optional<std::string> LookupLocalFileName(UrlCacheStore& store, std::string_view url, std::string_view noHeaders);

// The cookie text a browser would send to `url`, or nothing when it has no cookies.
std::optional<std::string> GetCookieText(UrlCacheStore& store, std::string_view url);

// Switches the store offline, so that the HTML pane shows cached copies only.
void GoOffline(UrlCacheStore& store);

inline constexpr uint32_t kFirstEntryBufferSize = 4096;

}  // namespace vantry::cache

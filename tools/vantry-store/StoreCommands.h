#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "cache/store/CacheAccess.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "tools/vantry-store/CommandLine.h"

namespace vantry::storetool {

// What every command works with: the open store, the clock and the two output streams.
struct ToolContext {
  cache::SqliteUrlCacheStore& store;
  int64_t now;  // Unix seconds
  std::ostream& out;
  std::ostream& err;
};

// Exit codes of vantry-store.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The entries of the store by kind; bytes is the sum of every entry's size.
struct EntryCounts {
  uint64_t content = 0;
  uint64_t cookies = 0;
  uint64_t history = 0;
  uint64_t other = 0;  // neither of the three: no headers, e.g. an FTP download
  uint64_t bytes = 0;
  uint64_t total() const { return content + cookies + history + other; }
};
cache::WalkResult CountEntries(cache::UrlCacheStore& store, EntryCounts& counts);

// One line of `list`: kind, type flags, size, last access (local time) and key.
std::string ListLine(const cache::CacheEntry& entry);

// The entry `add` makes of a file's bytes: a 200 response stamped `now`.
cache::NewEntry FileEntry(std::string_view url, std::string_view bytes, std::string_view contentType, bool sticky,
                          int64_t now);

// The commands that act on an open store; each returns its exit code.
int RunDemo(const StoreToolCommand& command, ToolContext& context);
int RunSynth(const StoreToolCommand& command, ToolContext& context);
int RunAdd(const StoreToolCommand& command, const std::string& fileBytes, ToolContext& context);
int RunVisit(const StoreToolCommand& command, ToolContext& context);
int RunCookie(const StoreToolCommand& command, ToolContext& context);
int RunRemove(const StoreToolCommand& command, ToolContext& context);
int RunList(const StoreToolCommand& command, ToolContext& context);
int RunStats(const StoreToolCommand& command, ToolContext& context);

}  // namespace vantry::storetool

#pragma once

#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "cache/store/CacheAccess.h"
#include "testing/TempFolder.h"
#include "tools/vantry-store/StoreTool.h"

namespace vantry::storetool {

// Unix seconds of a local date and time.
inline int64_t LocalTime(int year, int month, int day, int hour, int minute) {
  tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_isdst = -1;
  return static_cast<int64_t>(mktime(&local));
}

inline constexpr int64_t kTestNow = 1796644800;  // 2026-12-07 12:00 UTC

// One run of the tool with captured output.
struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// The store judges cookie expiry by the real clock, so runs default to the real time.
inline ToolRun RunTool(const std::filesystem::path& store, std::vector<std::string> args,
                       int64_t now = static_cast<int64_t>(time(nullptr))) {
  std::ostringstream out, err;
  ToolRun run;
  run.exitCode = RunStoreTool(args, store, now, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Every entry's key, type, size and times, in walk order: equal snapshots mean an unchanged store.
inline std::vector<std::string> Snapshot(cache::UrlCacheStore& store) {
  std::vector<std::string> lines;
  cache::WalkCache(store, "", [&](cache::CacheEntry& e) {
    lines.push_back(e.sourceUrl + " " + std::to_string(e.entryType) + " " + std::to_string(e.sizeLow) + " " +
                    std::to_string(e.lastAccessTime) + " " + std::to_string(e.headerInfoSize()));
  });
  return lines;
}

}  // namespace vantry::storetool

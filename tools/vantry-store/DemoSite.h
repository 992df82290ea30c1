#pragma once

#include <cstdint>
#include <string_view>

#include "cache/store/UrlCacheStore.h"

namespace vantry::storetool {

// The bundled demo site: pages, style sheets, scripts, images and a download on several
// hosts, their cookies, and a history that reaches back six months.
struct DemoSummary {
  int contentEntries = 0;
  int cookies = 0;
  int visits = 0;
};

// Adds (or replaces) the demo site's entries, with times relative to `now` (Unix seconds).
// Returns STORE_OK or the first store error; `summary` counts what was added until then.
uint32_t AddDemoSite(cache::UrlCacheStore& store, int64_t now, DemoSummary& summary);

// The bytes of one bundled demo file; empty for an unknown name.
std::string_view DemoFileBytes(std::string_view name);

}  // namespace vantry::storetool

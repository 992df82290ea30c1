#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cache/store/SqliteUrlCacheStore.h"

namespace vantry::storetool {

// Synthetic items for benchmarks and large-store tests. Item n is made from n alone, so a
// store filled with the same items always holds the same entries; every item is one entry
// of its own (its key holds n).
enum class SyntheticKind { Content, Visit, CookieSite };

struct SyntheticItem {
  SyntheticKind kind = SyntheticKind::Content;
  cache::NewEntry content;             // Content
  std::string address;                 // Visit: the page visited
  cache::FileTime visitTime = 0;       // Visit
  uint32_t visitCount = 0;             // Visit
  std::vector<cache::Cookie> cookies;  // CookieSite: one to three cookies of one site
};

// Item n with times relative to `now` (Unix seconds): about 88 of 100 are content entries
// of 1 to 50 KB on hosts that grow in number with n, 10 are history visits, 2 cookie sites.
SyntheticItem MakeSyntheticItem(uint64_t n, int64_t now);

struct SynthSummary {
  uint64_t content = 0;
  uint64_t visits = 0;
  uint64_t cookieSites = 0;
};

// Adds items first .. first + count - 1, the content entries and the visits in batches of
// one commit each.
uint32_t AddSyntheticEntries(cache::SqliteUrlCacheStore& store, uint64_t first, uint64_t count, int64_t now,
                             SynthSummary& summary);

}  // namespace vantry::storetool

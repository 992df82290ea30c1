#pragma once

#include <filesystem>

#include "cache/store/SqliteUrlCacheStore.h"

namespace vantry::bench {

// A store of `count` pages, images, style sheets and scripts of a few hundred hosts, in
// shuffled order, with a few hundred cookie entries; headers of about 150 bytes.
void FillContentStore(cache::SqliteUrlCacheStore& store, int count);

// A store of `count` history entries whose visits spread over the last 200 days.
void FillHistoryStore(cache::SqliteUrlCacheStore& store, int count);

}  // namespace vantry::bench

#pragma once

#include <vector>

#include "cache/store/UrlCacheStore.h"
#include "import/BrowserRecords.h"
#include "import/ImportSummary.h"

namespace vantry::import {

// Records each visited address as the store's "Visited: @" entry with its last visit
// and visit count; of one address named twice the latest visit wins, and entries that
// the store already holds with the same time and count are left alone.
void ImportVisits(std::vector<VisitRecord> visits, cache::UrlCacheStore& store, ImportSummary& summary);

// Puts the cookies into the store's cookie jar. Of one cookie (name, domain, path)
// kept under several partitions the most recently created wins.
void ImportCookies(std::vector<ImportedCookie> cookies, cache::UrlCacheStore& store, ImportSummary& summary);

}  // namespace vantry::import

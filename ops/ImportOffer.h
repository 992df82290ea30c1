#pragma once

#include "cache/store/UrlCacheStore.h"
#include "ops/CommandServices.h"

namespace vantry::ops {

// Whether this start offers the import from a browser: on a start with an empty store,
// once. An offer made is remembered in the application settings `settings`.
bool TakeImportOfferAtStart(cache::UrlCacheStore& store, SettingsStore& settings);

}  // namespace vantry::ops

#pragma once

#include "cache/services/CurrentEntry.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::archive {

// What the pane shows for the selected entry. A history entry ("Visited: user@address")
// shows the page it visited, a cookie entry ("Cookie:user@domain/path") its site's page at
// the cookie's path, each when the store holds that page; without one the result is empty
// and the pane is cleared. Any other entry is shown as it is.
cache::CurrentEntry PageOfEntry(cache::UrlCacheStore& store, const cache::CurrentEntry& entry);

}  // namespace vantry::archive

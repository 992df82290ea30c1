#pragma once

#include "cache/lists/SearchRequest.h"
#include "cache/services/EntryPanes.h"
#include "cache/services/FrameServices.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::cache {

// What every list tab works with: the store, the frame, the panes and the frame's
// process-wide records. The frame owns them all and outlives the tabs.
struct ListTabContext {
  UrlCacheStore& store;
  FrameServices& frame;
  EntryPanes& panes;
  CurrentEntry& current;
  SearchRequest& request;
};

}  // namespace vantry::cache

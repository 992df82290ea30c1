#pragma once

#include "cache/lists/ListTabContext.h"
#include "cache/lists/SearchRequest.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "testing/FakeFrame.h"
#include "testing/FakePanes.h"
#include "testing/TempFolder.h"

namespace vantry::testing {

// A store in a temporary folder, a frame and panes that record what they are asked, and
// the list tabs' context over them.
struct ListTabTestBed {
  TempFolder folder;
  cache::SqliteUrlCacheStore store{folder.path() / "store"};
  FakeFrame frame;
  FakePanes panes;
  cache::CurrentEntry current;
  cache::SearchRequest request;
  cache::ListTabContext context{store, frame, panes, current, request};
};

}  // namespace vantry::testing

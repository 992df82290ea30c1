#pragma once

#include "testing/ListFakes.h"
#include "cache/lists/ListTabContext.h"
#include "cache/lists/SearchRequest.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "testing/StoreTestSupport.h"

// A store in a temporary folder, a frame and panes that record what they are asked, and
// the list tabs' context over them.
struct ListTabTestBed {
  TempFolder folder;
  SqliteUrlCacheStore store{folder.path() / "store"};
  FakeFrame frame;
  FakePanes panes;
  CurrentEntry current;
  SearchRequest request;
  ListTabContext context{store, frame, panes, current, request};
};

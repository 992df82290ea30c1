#include "ops/ImportOffer.h"

#include <gtest/gtest.h>

#include "ops/SettingKeys.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

TEST(ImportOfferTest, OfferedOnceAndOnlyToAStartWithAnEmptyStore) {
  struct Row {
    const char* what;
    bool offeredBefore;
    bool storeHolds;  // nothing, or a visit
    bool offered;
  } rows[] = {
      {"first start, empty store", false, false, true},
      {"offered before", true, false, false},
      {"a store with an entry", false, true, false},
  };
  for (const Row& row : rows) {
    TestStore store;
    testing::MemorySettings settings;
    if (row.offeredBefore) Write(settings, kImportOffered, 1);
    if (row.storeHolds) store.Visit("http://a.example/");
    EXPECT_EQ(TakeImportOfferAtStart(*store, settings), row.offered) << row.what;
    EXPECT_EQ(Read(settings, kImportOffered), row.offered || row.offeredBefore ? 1 : 0) << row.what;
    EXPECT_FALSE(TakeImportOfferAtStart(*store, settings)) << row.what << ", the start after";
  }
}

}  // namespace
}  // namespace vantry::ops

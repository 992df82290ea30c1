#include "archive/pane/EntryPage.h"

#include <gtest/gtest.h>

#include "testing/ListStore.h"
#include "testing/TempFolder.h"

namespace vantry::archive {

namespace {

TEST(PageOfEntry, CookieAndHistoryEntriesShowTheirCachedPageOrNothing) {
  testing::TempFolder folder;
  cache::StoreOpenResult opened = cache::OpenUrlCacheStore(folder.path());
  ASSERT_TRUE(opened.store) << opened.error;
  cache::UrlCacheStore& store = *opened.store;
  for (const char* url : {"http://shop.example/cart/", "https://news.example", "http://a.example/page.html"})
    ASSERT_EQ(store.AddEntry(testing::PageEntry(url)), cache::STORE_OK);
  auto fileOf = [&](const char* url) { return cache::LookupEntry(store, url)->localFileName; };

  struct Row {
    cache::CurrentEntry selected;
    cache::CurrentEntry shown;
  } rows[] = {
      {{"Visited: @http://a.example/page.html", "None"},
       {"http://a.example/page.html", fileOf("http://a.example/page.html")}},
      {{"Visited: user@http://a.example/page.html#top", "None"},
       {"http://a.example/page.html", fileOf("http://a.example/page.html")}},
      {{"Visited: @http://a.example/gone.html", "None"}, {}},
      {{"Cookie:root@shop.example/cart/", "None"}, {"http://shop.example/cart/", fileOf("http://shop.example/cart/")}},
      // The site root is also found under its key without the final "/".
      {{"Cookie:root@news.example/", "None"}, {"https://news.example", fileOf("https://news.example")}},
      {{"Cookie:root@other.example/", "None"}, {}},
      {{"Cookie:", "None"}, {}},
      {{"http://a.example/page.html", "/x/page.html"}, {"http://a.example/page.html", "/x/page.html"}},
      {{"Today", "/earlier"}, {"Today", "/earlier"}},
  };
  for (const Row& row : rows) EXPECT_EQ(PageOfEntry(store, row.selected), row.shown) << row.selected.address;
}

}  // namespace

}  // namespace vantry::archive

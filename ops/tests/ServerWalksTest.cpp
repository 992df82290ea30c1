#include "ops/ServerWalks.h"

#include <gtest/gtest.h>

#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

void FillServers(TestStore& store) {
  store.Page("http://www.a.org/index.htm");
  store.Page("http://www.a.org.evil.net/x.gif");      // the name inside a longer host
  store.Page("http://b.org/mirror/www.a.org/y.htm");  // the name inside a path
  store.Page("http://WWW.A.ORG/upper.htm");           // other letter case
  store.Headerless("http://www.a.org/raw.htm");
  store.Visit("http://www.a.org/index.htm");
}

TEST(DeleteByServerTest, DeletesContentEntriesWhoseAddressContainsTheText) {
  CommandHarness h;
  FillServers(h.store);
  ASSERT_TRUE(DeleteByServer(h.context, "www.a.org", h.deletion));
  EXPECT_EQ(h.store.Urls(), (std::vector<std::string>{"http://WWW.A.ORG/upper.htm", "http://www.a.org/raw.htm",
                                                      "Visited: @http://www.a.org/index.htm"}));
  EXPECT_EQ(h.frame.publications, 0);
  EXPECT_EQ(h.cursor.events, std::vector<std::string>{"wait"});  // the command restores it
}

TEST(DeleteByServerTest, AnyPartOfAnAddressServesAsText) {
  CommandHarness h;
  FillServers(h.store);
  ASSERT_TRUE(DeleteByServer(h.context, ".gif", h.deletion));
  EXPECT_FALSE(h.store.Has("http://www.a.org.evil.net/x.gif"));
  EXPECT_EQ(h.store.Urls().size(), 5u);
}

TEST(StickyByServerTest, MarksMatchingContentEntriesAndTouchesNothingElse) {
  CommandHarness h;
  FillServers(h.store);
  const uint32_t before = h.store.TypeOf("http://www.a.org/index.htm");
  ASSERT_TRUE(StickyByServer(h.context, "www.a.org"));
  struct Row {
    const char* url;
    bool sticky;
  };
  const Row rows[] = {
      {"http://www.a.org/index.htm", true},          {"http://www.a.org.evil.net/x.gif", true},
      {"http://b.org/mirror/www.a.org/y.htm", true}, {"http://WWW.A.ORG/upper.htm", false},
      {"http://www.a.org/raw.htm", false},           {"Visited: @http://www.a.org/index.htm", false},
  };
  for (const Row& row : rows)
    EXPECT_EQ((h.store.TypeOf(row.url) & cache::STICKY_CACHE_ENTRY) != 0, row.sticky) << row.url;
  EXPECT_EQ(h.store.TypeOf("http://www.a.org/index.htm"), before | cache::STICKY_CACHE_ENTRY);
  EXPECT_EQ(h.frame.publications, 0);
}

TEST(StickyByServerTest, MarkingTwiceLeavesTheTypeAsItWas) {
  CommandHarness h;
  FillServers(h.store);
  ASSERT_TRUE(StickyByServer(h.context, "b.org"));
  const uint32_t once = h.store.TypeOf("http://b.org/mirror/www.a.org/y.htm");
  ASSERT_TRUE(StickyByServer(h.context, "b.org"));
  EXPECT_EQ(h.store.TypeOf("http://b.org/mirror/www.a.org/y.htm"), once);
}

TEST(ServerWalksProgress, StepsOncePerTwoHundredEntriesAfterTheFirst) {
  CommandHarness h;
  for (int i = 0; i < 201; ++i) h.store.Visit("http://h/" + std::to_string(i));
  ASSERT_TRUE(StickyByServer(h.context, "h/"));
  EXPECT_EQ(h.frame.progressSteps, 1);
  ASSERT_TRUE(DeleteByServer(h.context, "h/", h.deletion));
  EXPECT_EQ(h.frame.progressSteps, 2);
}

}  // namespace
}  // namespace vantry::ops

#include "tools/vantry-store/SyntheticEntries.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "tools/vantry-store/tests/StoreToolTestSupport.h"

namespace vantry::storetool {

namespace fs = std::filesystem;

namespace {

constexpr int kItems = 4000;

std::string ContentTypeOf(const std::string& headers) {
  size_t start = headers.find("\r\nContent-Type: ") + 16;
  return headers.substr(start, headers.find_first_of(";\r", start) - start);
}

TEST(SyntheticEntriesTest, AnItemDependsOnItsNumberAlone) {
  for (uint64_t n : {0u, 1u, 17u, 99999u}) {
    SyntheticItem a = MakeSyntheticItem(n, kTestNow), b = MakeSyntheticItem(n, kTestNow);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.content.url, b.content.url);
    EXPECT_EQ(a.content.headers, b.content.headers);
    EXPECT_EQ(a.content.content, b.content.content);
    EXPECT_EQ(a.address, b.address);
    EXPECT_EQ(a.cookies.size(), b.cookies.size());
  }
}

TEST(SyntheticEntriesTest, TheMixLooksLikeARealCache) {
  std::map<SyntheticKind, int> kinds;
  std::set<std::string> keys, hosts, types;
  int sticky = 0, queries = 0, folders = 0;
  for (uint64_t n = 0; n < kItems; ++n) {
    SyntheticItem item = MakeSyntheticItem(n, kTestNow);
    ++kinds[item.kind];
    if (item.kind == SyntheticKind::CookieSite) {
      ASSERT_FALSE(item.cookies.empty());
      EXPECT_TRUE(keys.insert("cookie " + item.cookies[0].domain).second);
      for (const cache::Cookie& c : item.cookies) EXPECT_EQ(c.domain, item.cookies[0].domain);
      continue;
    }
    if (item.kind == SyntheticKind::Visit) {
      EXPECT_TRUE(keys.insert("visit " + item.address).second) << item.address;
      EXPECT_LE(item.visitTime, cache::FileTimeFromUnixSeconds(kTestNow));
      EXPECT_GE(item.visitTime, cache::FileTimeFromUnixSeconds(kTestNow - 184 * 86400));
      continue;
    }
    const cache::NewEntry& e = item.content;
    EXPECT_TRUE(keys.insert(e.url).second) << e.url;
    EXPECT_GE(e.content.size(), 1024u);
    EXPECT_LE(e.content.size(), 50u * 1024);
    EXPECT_NE(e.headers.find("\r\nContent-Length: " + std::to_string(e.content.size()) + "\r\n"), std::string::npos);
    EXPECT_TRUE(e.headers.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_LE(e.lastAccessTime, cache::FileTimeFromUnixSeconds(kTestNow));
    EXPECT_LE(e.lastModifiedTime, e.lastAccessTime);
    hosts.insert(e.url.substr(7, e.url.find('/', 7) - 7));
    types.insert(ContentTypeOf(e.headers));
    sticky += (e.entryType & cache::STICKY_CACHE_ENTRY) != 0;
    queries += e.url.find('?') != std::string::npos;
    folders += e.url.ends_with('/');
  }
  EXPECT_NEAR(kinds[SyntheticKind::Content], kItems * 0.88, kItems * 0.03);
  EXPECT_NEAR(kinds[SyntheticKind::Visit], kItems * 0.10, kItems * 0.03);
  EXPECT_NEAR(kinds[SyntheticKind::CookieSite], kItems * 0.02, kItems * 0.01);
  EXPECT_GT(hosts.size(), 100u);
  EXPECT_GE(types.size(), 10u);
  EXPECT_TRUE(types.count("text/html") && types.count("image/gif") && types.count("image/jpeg"));
  EXPECT_GT(sticky, 0);
  EXPECT_GT(queries, 0);
  EXPECT_GT(folders, 0);
}

TEST(SyntheticEntriesTest, EachItemBecomesOneEntryAndSynthAddsAfterWhatIsThere) {
  testing::TempFolder folder;
  fs::path store = folder.path() / "store";
  ToolRun first = RunTool(store, {"synth", "600"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_TRUE(first.out.starts_with("Added 600 synthetic entries to ")) << first.out;
  ASSERT_EQ(RunTool(store, {"synth", "150"}).exitCode, 0);
  cache::SqliteUrlCacheStore opened(store);
  std::vector<std::string> snapshot = Snapshot(opened);
  EXPECT_EQ(snapshot.size(), 750u);
  // The same items again replace themselves: numbers 0 to 599 are already there.
  SynthSummary summary;
  ASSERT_EQ(AddSyntheticEntries(opened, 0, 600, kTestNow, summary), cache::STORE_OK);
  EXPECT_EQ(summary.content + summary.visits + summary.cookieSites, 600u);
  EXPECT_EQ(Snapshot(opened).size(), 750u);
}

}  // namespace

}  // namespace vantry::storetool

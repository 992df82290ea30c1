#include "ops/StickyCommands.h"

#include <gtest/gtest.h>

#include "archive/UrlParts.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

const testing::PromptCall kNoSelection{"Nothing to copy!", "No Selection"};

TEST(StickyCommandsTest, BothNeedAnAddressAndALocalFile) {
  const EntrySelection selections[] = {{"", ""}, {"http://a.org/", ""}, {"", "/x/y.htm"}};
  for (const EntrySelection& selection : selections) {
    CommandHarness h;
    EntrySelection copy = selection;
    StickyFileCommand(h.context, copy);
    StickyAddressCommand(h.context, selection);
    EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{kNoSelection, kNoSelection}));
    EXPECT_EQ(h.frame.progressBarRequests, 0);
  }
}

TEST(StickyCommandsTest, FileCommandMarksTheEntryAndRefreshesItsLocalName) {
  CommandHarness h;
  h.store.Page("http://a.org/x.htm");
  h.store.Page("http://a.org/y.htm");
  EntrySelection selection{"http://a.org/x.htm", "stale"};
  StickyFileCommand(h.context, selection);
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"Setting File to sticky:", "http://a.org/x.htm"}}));
  EXPECT_NE(h.store.TypeOf("http://a.org/x.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(h.store.TypeOf("http://a.org/y.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(selection.localFileName, h.store.LocalFileOf("http://a.org/x.htm"));
}

TEST(StickyCommandsTest, FileCommandOnAnEntryNoLongerCachedWritesNothing) {
  CommandHarness h;
  EntrySelection selection{"http://a.org/gone.htm", "/old/name.htm"};
  StickyFileCommand(h.context, selection);
  EXPECT_EQ(selection.localFileName, "/old/name.htm");
  EXPECT_TRUE(h.store.Urls().empty());
}

TEST(StickyCommandsTest, AddressCommandMarksEveryContentEntryNamingTheServer) {
  CommandHarness h;
  h.store.Page("http://www.a.org/x.htm");
  h.store.Page("http://b.org/www.a.org/y.htm");
  h.store.Page("http://c.org/z.htm");
  StickyAddressCommand(h.context, {"http://user@www.a.org:8080/x.htm", "/x.htm"});
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"Setting all files to sticky:", "www.a.org"}}));
  EXPECT_NE(h.store.TypeOf("http://www.a.org/x.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_NE(h.store.TypeOf("http://b.org/www.a.org/y.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(h.store.TypeOf("http://c.org/z.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(h.frame.progressBarRequests, 1);
  EXPECT_EQ(h.frame.progressResets, 1);
  EXPECT_TRUE(h.cursor.EndsWithArrow());
}

TEST(StickyCommandsTest, AddressWithoutAServerMarksNothing) {
  CommandHarness h;
  h.store.Page("http://c.org/z.htm");
  StickyAddressCommand(h.context, {"Cookie:user@c.org/", "/cookies/user@c.org.txt"});
  EXPECT_EQ(h.store.TypeOf("http://c.org/z.htm") & cache::STICKY_CACHE_ENTRY, 0u);
}

// The server the sticky and copy commands take out of the selected address.
TEST(ServerOfTest, TakesTheHostOutOfAnAddress) {
  const std::pair<const char*, const char*> rows[] = {
      {"http://www.a.org/x/y.htm", "www.a.org"},
      {"http://www.a.org", "www.a.org"},
      {"ftp://user:pw@files.a.org:21/pub/", "files.a.org"},
      {"http://a.org?q=1", "a.org"},
      {"http://[::1]:8080/x", "[::1]"},
      {"Cookie:user@a.org/", ""},
      {"Visited: @http://a.org/", ""},
      {"://a.org/", ""},
      {"http://a.org:8o/x", ""},  // a port that is no number: no server
  };
  for (const auto& [address, server] : rows) EXPECT_EQ(archive::ServerOf(address), server) << address;
}

}  // namespace
}  // namespace vantry::ops

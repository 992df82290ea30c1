// The cache commands reached through the frame's actions once they are wired.
#include "app/CacheCommandWiring.h"

#include <QAction>
#include <gtest/gtest.h>

#include "app/tests/CacheRecordsDouble.h"
#include "app/tests/FrameTestSupport.h"
#include "cache/store/CacheAccess.h"
#include "testing/FakeList.h"

namespace vantry::app {

namespace {

using enum CommandId;

class CacheCommandWiringTest : public FrameTest {
 protected:
  void SetUp() override {
    frame = MakeFrame();
    for (const char* url : {"http://www.a.org/x.htm", "http://www.a.org/y.htm"})
      ASSERT_EQ(store_->AddEntry(cache::NewEntry{.url = url, .content = "<p>x</p>", .headers = kHeaders}),
                cache::STORE_OK);
    CacheCommandInputs inputs = records.Inputs(*store_, *frame, settings_);
    inputs.resetAlphaSort = [this] { resets.push_back("AlphaSort"); };
    inputs.resetAccessSort = [this] { resets.push_back("AccessSort"); };
    inputs.resetHistory = [this] { resets.push_back("History"); };
    inputs.showFindResults = [this](std::vector<std::string> lines) { findResults = std::move(lines); };
    inputs.showStatistics = [this](std::vector<std::string> lines) { statistics = std::move(lines); };
    inputs.archivePaths = archive::MakeArchivePaths(folder_.path().string());
    inputs.parent = frame.get();
    wired = WireCacheCommands(*frame, std::move(inputs));
  }
  uint32_t TypeOf(const std::string& url) {
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(*store_, url);
    return entry ? entry->entryType : 0;
  }

  static constexpr const char* kHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";
  std::unique_ptr<CMainFrame> frame;
  CacheRecordsDouble records;
  std::vector<std::string> resets, statistics, findResults;
  std::unique_ptr<WiredCacheCommands> wired;
};

TEST_F(CacheCommandWiringTest, DeleteCacheEntryDeletesTheAddressBoxEntryAndResetsTheLists) {
  testing::FakeList list("Cached Url's");  // it never holds the deleted address: "Entry not found!"
  frame->RegisterExpandedList(&list);
  frame->SetAddress("http://www.a.org/x.htm");
  const ModalSeen seen = RunModal([&] { frame->action(DeleteCacheEntry)->trigger(); });
  EXPECT_EQ(seen.title, "DeleteItem");
  EXPECT_EQ(seen.text, "Entry not found!");
  EXPECT_FALSE(cache::LookupEntry(*store_, "http://www.a.org/x.htm").has_value());
  EXPECT_TRUE(cache::LookupEntry(*store_, "http://www.a.org/y.htm").has_value());
  EXPECT_EQ(list.selectionClears, 1);
  EXPECT_EQ(resets, (std::vector<std::string>{"AlphaSort", "AccessSort", "History"}));
}

TEST_F(CacheCommandWiringTest, StickyFileMarksTheCurrentEntryAfterTheBoxIsClosed) {
  records.SetCurrent("http://www.a.org/y.htm", "stale name");
  const ModalSeen seen = RunModal([&] { frame->action(StickyFile)->trigger(); });
  EXPECT_EQ(seen.title, "http://www.a.org/y.htm");
  EXPECT_EQ(seen.text, "Setting File to sticky:");
  EXPECT_NE(TypeOf("http://www.a.org/y.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(TypeOf("http://www.a.org/x.htm") & cache::STICKY_CACHE_ENTRY, 0u);
  EXPECT_EQ(records.CurrentLocalFile(), cache::LookupEntry(*store_, "http://www.a.org/y.htm")->localFileName);
}

TEST_F(CacheCommandWiringTest, CommandsOnTheCurrentEntryWantOne) {
  for (CommandId id : {CheckLinksPassed, CheckLinksDead, CopySingleFile, StickyAddress}) {
    const ModalSeen seen = RunModal([&] { frame->action(id)->trigger(); });
    EXPECT_EQ(seen.text, "Nothing to copy!") << int(id);
  }
  EXPECT_TRUE(findResults.empty());
}

TEST_F(CacheCommandWiringTest, DeleteAllHistoryShowsItsCountsOnTheStatisticsPage) {
  ASSERT_EQ(store_->RecordVisit("http://www.a.org/x.htm", 0, 1), cache::STORE_OK);
  frame->action(DeleteAllHistory)->trigger();
  EXPECT_FALSE(statistics.empty());
  EXPECT_EQ(resets, (std::vector<std::string>{"AlphaSort", "AccessSort", "History"}));
}

}  // namespace

}  // namespace vantry::app

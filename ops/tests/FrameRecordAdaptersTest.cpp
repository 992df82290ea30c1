#include "ops/FrameRecordAdapters.h"

#include <gtest/gtest.h>

#include "ops/tests/CommandFakes.h"
#include "ops/tests/OpsTestSupport.h"
#include "testing/FakePanes.h"

namespace vantry::ops {
namespace {

// "Find file(s) in Cache" writing into the frame's records through the adapter.
class FrameRecordAdaptersTest : public ::testing::Test {
 protected:
  void Find(const std::function<void(FindFilesChoice&)>& fill) {
    dialogs.findFiles = [fill](FindFilesChoice& c) {
      fill(c);
      return true;
    };
    FindFilesCommand(h.context, dialogs, appSettings, target);
  }

  CommandHarness h;
  ScriptedDialogs dialogs;
  testing::MemorySettings appSettings;
  cache::SearchRequest request;
  cache::ShowMask showMask;
  cache::CurrentEntry current{"http://old.org/", "/old/file"};
  testing::FakePanes panes;
  int expansions = 0;
  RecordsFindTarget target{{request, showMask, current, h.frame, panes}, [this] { ++expansions; }};
};

TEST_F(FrameRecordAdaptersTest, TheNameFieldBecomesTheRequestAndTheListExpands) {
  struct Row {
    const char* name;
    uint32_t mode;
    std::string substring;
  };
  const Row rows[] = {
      {"", cache::SearchRequest::kEverything, ""},
      {"news", cache::SearchRequest::kSubstring, "news"},
      {"*.gif",
       cache::SearchRequest::kWildcard | cache::SearchRequest::kHadDot | cache::SearchRequest::kExtensionPattern, ""},
  };
  int expected = 0;
  for (const Row& row : rows) {
    request = cache::SearchRequest{};
    Find([&](FindFilesChoice& c) {
      c.name = row.name;
      c.showMask = cache::ShowMask::kImage | cache::ShowMask::kSticky;
    });
    EXPECT_EQ(request.mode & row.mode, row.mode) << row.name;
    EXPECT_EQ(request.substring, row.substring) << row.name;
    EXPECT_EQ(showMask.bits, cache::ShowMask::kImage | cache::ShowMask::kSticky);
    EXPECT_EQ(expansions, ++expected);
  }
  EXPECT_EQ(current.address, "http://old.org/");
}

TEST_F(FrameRecordAdaptersTest, ADateRangeSetsBothDates) {
  Find([](FindFilesChoice& c) {
    c.byName = false;
    c.byDate = true;
    c.between = true;
    c.date = "01/02/2020";
    c.toDate = "03/04/2021";
  });
  EXPECT_EQ(request.mode, cache::SearchRequest::kDateBetween);
  EXPECT_EQ(DateText(request.fromDate), "2020-1-2");
  EXPECT_EQ(DateText(request.toDate), "2021-3-4");
  EXPECT_EQ(expansions, 1);
}

TEST_F(FrameRecordAdaptersTest, AnOpenedAddressBecomesTheCurrentEntry) {
  h.store.Page("http://www.a.org/x.htm");
  const std::string file = h.store.LocalFileOf("http://www.a.org/x.htm");
  Find([](FindFilesChoice& c) { c.name = "http://www.a.org/x.htm"; });
  EXPECT_EQ(current.address, "http://www.a.org/x.htm");
  EXPECT_EQ(current.localFileName, file);
  EXPECT_EQ(h.frame.addresses, std::vector<std::string>{"http://www.a.org/x.htm"});
  EXPECT_EQ(panes.calls, (std::vector<std::string>{"show http://www.a.org/x.htm | " + file,
                                                   "properties http://www.a.org/x.htm", "file " + file}));
  EXPECT_EQ(request.mode, cache::SearchRequest::kNone);
}

TEST_F(FrameRecordAdaptersTest, AnOpenedAddressOutsideTheCacheCarriesNoLocalFile) {
  Find([](FindFilesChoice& c) { c.name = "/home/user/page.htm"; });
  EXPECT_EQ(current.address, "/home/user/page.htm");
  EXPECT_EQ(current.localFileName, "");
  EXPECT_EQ(panes.calls, std::vector<std::string>{"show /home/user/page.htm | "});
}

TEST(EntrySelectionTest, TheCurrentEntryKeepsARefreshedFileOnlyForItsOwnAddress) {
  struct Row {
    EntrySelection after;
    std::string expectedFile;
  };
  const Row rows[] = {
      {{"http://a.org/", "/new/file"}, "/new/file"},
      {{"http://b.org/", "/new/file"}, "/old/file"},
  };
  for (const Row& row : rows) {
    cache::CurrentEntry current{"http://a.org/", "/old/file"};
    const EntrySelection before = SelectionOf(current);
    EXPECT_EQ(before.address, "http://a.org/");
    EXPECT_EQ(before.localFileName, "/old/file");
    KeepSelection(row.after, current);
    EXPECT_EQ(current.localFileName, row.expectedFile) << row.after.address;
  }
}

}  // namespace
}  // namespace vantry::ops

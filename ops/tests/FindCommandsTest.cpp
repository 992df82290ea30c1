#include "ops/FindCommands.h"

#include <gtest/gtest.h>

#include "cache/lists/ShowMask.h"
#include "ops/SettingKeys.h"
#include "ops/tests/CommandFakes.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

const std::string kWhatFindPath = testing::MemorySettings::Key(kWhatFind);
const std::string kDateFormatPath = testing::MemorySettings::Key(kDateFormat);

class FindFilesCommandTest : public ::testing::Test {
 protected:
  void Run(std::function<void(FindFilesChoice&)> fill) {
    dialogs.findFiles = [&, fill](FindFilesChoice& c) {
      shown = c;
      fill(c);
      return true;
    };
    FindFilesCommand(h.context, dialogs, appSettings, target);
  }
  CommandHarness h;
  ScriptedDialogs dialogs;
  testing::MemorySettings appSettings;
  RecordingTarget target;
  FindFilesChoice shown;
};

TEST_F(FindFilesCommandTest, CancelClearsTheRequestAndWritesNothing) {
  dialogs.findFiles = [&](FindFilesChoice& c) {
    shown = c;
    return false;
  };
  FindFilesCommand(h.context, dialogs, appSettings, target);
  EXPECT_EQ(target.calls, std::vector<std::string>{"mode 0"});
  EXPECT_EQ(shown.showMask, 1u);
  EXPECT_EQ(shown.dateFormat, 0);
  EXPECT_TRUE(shown.byName);
  EXPECT_TRUE(appSettings.values.empty());
}

TEST_F(FindFilesCommandTest, TheNameFieldBecomesARequestOrAnAddressToOpen) {
  struct Row {
    const char* name;
    const char* request;
  };
  const Row rows[] = {
      {"", "mode 128"},
      {"*.gif", "wildcard *.gif"},
      {"*.*", "wildcard *.*"},
      {"anyfile.gif", "substring anyfile.gif"},
      {"ftp://files.a.org/x", "open ftp://files.a.org/x"},
      {"/home/u/page.htm", "open /home/u/page.htm"},
  };
  for (const Row& row : rows) {
    target.calls.clear();
    Run([&](FindFilesChoice& c) { c.name = row.name; });
    std::vector<std::string> expected{"mode 0", "mask 1", row.request};
    if (target.opened.address == row.name && row.name[0] != '\0') expected.push_back("mode 0");
    expected.push_back("expand");
    EXPECT_EQ(target.calls, expected) << row.name;
  }
}

TEST_F(FindFilesCommandTest, AnHttpAddressComesWithItsEntryAndCookies) {
  h.store.Page("http://www.a.org/x.htm");
  h.store.CookieFor("www.a.org");
  Run([](FindFilesChoice& c) { c.name = "http://www.a.org/x.htm"; });
  ASSERT_TRUE(target.opened.isHttp);
  ASSERT_TRUE(target.opened.entry.has_value());
  EXPECT_EQ(target.opened.entry->sourceUrl, "http://www.a.org/x.htm");
  EXPECT_EQ(target.opened.cookieText, "id=42");

  Run([](FindFilesChoice& c) { c.name = "http://uncached.org/"; });
  EXPECT_FALSE(target.opened.entry.has_value());
  EXPECT_FALSE(target.opened.cookieText.has_value());
}

TEST_F(FindFilesCommandTest, TheMaskIsStoredAndTheDateFormatShown) {
  appSettings.values[kWhatFindPath] = "1028";
  appSettings.values[kDateFormatPath] = "3";
  Run([](FindFilesChoice& c) { c.showMask = cache::ShowMask::kSticky | cache::ShowMask::kImage; });
  EXPECT_EQ(shown.showMask, 1028u);
  EXPECT_EQ(shown.dateFormat, 3);
  EXPECT_EQ(appSettings.values[kWhatFindPath], "65540");
  EXPECT_EQ(target.calls[1], "mask 65540");
}

TEST_F(FindFilesCommandTest, DateModesParseWithTheStoredFormatAndTheFirstCheckedWins) {
  struct Row {
    int format;
    bool before, later, exactly, between;
    const char* request;
  };
  const Row rows[] = {
      {0, true, false, false, false, "date 256 2015-3-10"},
      {1, true, false, false, false, "date 256 2015-10-3"},
      {0, false, true, false, false, "date 512 2015-3-10"},
      {0, false, false, true, true, "date 1024 2015-3-10"},
      {0, false, false, false, true, "range 2015-3-10 1999-12-31"},
  };
  for (const Row& row : rows) {
    target.calls.clear();
    appSettings.values[kDateFormatPath] = std::to_string(row.format);
    Run([&](FindFilesChoice& c) {
      c.byName = false;
      c.byDate = true;
      c.before = row.before;
      c.laterThan = row.later;
      c.exactlyAt = row.exactly;
      c.between = row.between;
      c.date = "03/10/15";
      c.toDate = row.format == 0 ? "12/31/99" : "31/12/99";
    });
    EXPECT_EQ(target.calls, (std::vector<std::string>{"mode 0", "mask 1", row.request, "expand"})) << row.request;
  }
}

TEST_F(FindFilesCommandTest, DateWithoutARangeIsToldAndNothingIsRefilled) {
  Run([](FindFilesChoice& c) {
    c.byName = false;
    c.byDate = true;
  });
  EXPECT_EQ(h.prompt.told, (std::vector<testing::PromptCall>{{"You must specify time range", "Error !"}}));
  EXPECT_EQ(target.calls, (std::vector<std::string>{"mode 0", "mask 1"}));
}

TEST_F(FindFilesCommandTest, NeitherNameNorDateRefillsWithoutARequest) {
  Run([](FindFilesChoice& c) { c.byName = false; });
  EXPECT_EQ(target.calls, (std::vector<std::string>{"mode 0", "mask 1", "expand"}));
}

class FindTextCommandTest : public ::testing::Test {
 protected:
  void Run(SearchTextChoice choice) {
    dialogs.searchText = [&, choice](SearchTextChoice& c) {
      shown = c;
      c = choice;
      return true;
    };
    FindTextCommand(h.context, dialogs, localCopies, page);
  }
  CommandHarness h;
  ScriptedDialogs dialogs;
  RecordingLocalCopies localCopies;
  RecordingSink page;
  SearchTextChoice shown;
};

TEST_F(FindTextCommandTest, NothingCheckedIsTold) {
  Run({"x", false, false, false, false, false});
  EXPECT_EQ(h.prompt.told,
            (std::vector<testing::PromptCall>{{"You must at least specify one selection!", "Nothing to do!"}}));
  EXPECT_EQ(page.shows, 0);
  EXPECT_EQ(shown.text, "");
  EXPECT_FALSE(shown.searchCache || shown.caseSensitive);
}

TEST_F(FindTextCommandTest, SearchesRunInTheirOrderIntoOneResultPage) {
  h.store.Page("http://a.org/index.htm", "<p>Needle</p>");
  Run({"needle", true, true, true, true, false});
  const std::string cacheHit = h.store.LocalFileOf("http://a.org/index.htm") + " :   Needle</p";
  EXPECT_EQ(page.lines, (std::vector<std::string>{"copied needle", cacheHit, "address needle", "comment needle"}));
  EXPECT_EQ(h.frame.statusTexts, (std::vector<std::string>{"Wait! Searching Cache", "Ready"}));
  EXPECT_EQ(h.cursor.events, (std::vector<std::string>{"wait", "arrow"}));
  EXPECT_EQ(h.frame.progressResets, 1);
  EXPECT_GE(h.frame.progressSteps, 1);
}

TEST_F(FindTextCommandTest, StoppedInTheCopiedPagesItSearchesNothingMoreAndShowsWhatItFound) {
  h.store.Page("http://a.org/index.htm", "<p>Needle</p>");
  h.frame.stopAtAdvance = 1;
  Run({"needle", true, true, true, true, false});
  EXPECT_EQ(page.lines, std::vector<std::string>{"copied needle"});
  EXPECT_EQ(h.frame.statusTexts, std::vector<std::string>{"Search stopped: the hits found so far are shown"});
  ASSERT_EQ(h.frame.works.size(), 1u);
  EXPECT_TRUE(h.frame.works[0].ended);
}

TEST_F(FindTextCommandTest, ResultsAreShownEvenWhenNothingWasFound) {
  h.store.Page("http://a.org/index.htm", "<p>Needle</p>");
  Run({"needle", true, false, false, false, true});
  EXPECT_EQ(page.shows, 1);
  EXPECT_TRUE(page.lines.empty());
}

TEST(NameFieldTest, KindOfEachText) {
  const std::pair<const char*, NameFieldKind> rows[] = {
      {"", NameFieldKind::Everything},
      {"*", NameFieldKind::Wildcard},
      {"http://a/*.gif", NameFieldKind::Wildcard},
      {"http://a/", NameFieldKind::AddressToOpen},
      {"ftp:x", NameFieldKind::AddressToOpen},
      {"/tmp/x.htm", NameFieldKind::AddressToOpen},
      {"HTTP://a/", NameFieldKind::Substring},
      {"a.org", NameFieldKind::Substring},
  };
  for (const auto& [text, kind] : rows) EXPECT_EQ(ClassifyNameField(text), kind) << text;
}

}  // namespace
}  // namespace vantry::ops

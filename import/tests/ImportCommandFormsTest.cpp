// The forms of "vantry-store import" beside the family's default: a folder told by its
// files, a profile by name, every profile; and the exit code when the store refuses.
#include <fstream>

#include <gtest/gtest.h>

#include "cache/store/SqliteUrlCacheStore.h"
#include "import/tests/CorpusProfiles.h"
#include "import/tests/ImportTestSupport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// A home folder holding a Firefox and two Chromium profiles, copied from the corpus.
struct BrowserHome {
  testing::TempFolder home;
  EnvironmentOverride homeVariable{"HOME", home.path().string()};
  EnvironmentOverride config{"XDG_CONFIG_HOME", ""};
  EnvironmentOverride cache{"XDG_CACHE_HOME", ""};
  fs::path firefox = home.path() / ".mozilla/firefox/f1.work";
  fs::path chromium = home.path() / ".config/chromium";

  BrowserHome() {
    CopyCorpusFirefoxProfile(firefox, firefox / "cache2", CacheCopy::Few);
    std::ofstream(home.path() / ".mozilla/firefox/profiles.ini")
        << "[Profile0]\nName=work\nIsRelative=1\nPath=f1.work\n";
    CopyCorpusChromiumProfile(chromium / "Default", home.path() / ".cache/chromium/Default/Cache/Cache_Data",
                              CacheCopy::Few);
    CopyCorpusChromiumProfile(chromium / "Profile 1", {}, CacheCopy::None);
    std::ofstream(chromium / "Local State") << R"({"profile": {"info_cache": {"Profile 1": {"name": "Holidays"}}}})";
  }
};

TEST(ImportCommandFormsTest, AFolderIsImportedAsTheProfileItsFilesShow) {
  BrowserHome h;
  struct Case {
    std::vector<std::string> args;
    std::string imported;  // the first line of the output
  } cases[] = {
      {{h.firefox.string()}, "Importing the Firefox profile " + h.firefox.string()},
      {{(h.chromium / "Default").string()}, "Importing the Chromium profile " + (h.chromium / "Default").string()},
      {{h.chromium.string()}, "Importing the Chromium profile " + (h.chromium / "Default").string()},
      {{"firefox", "work"}, "Importing the Firefox profile " + h.firefox.string()},
      {{"firefox", "f1.work"}, "Importing the Firefox profile " + h.firefox.string()},
      {{"chromium", "Holidays"}, "Importing the Chromium profile " + (h.chromium / "Profile 1").string()},
      {{"chromium", "Profile 1"}, "Importing the Chromium profile " + (h.chromium / "Profile 1").string()},
  };
  for (const Case& c : cases) {
    ScratchStore s;
    CommandRun run = RunImport(*s.store, c.args);
    EXPECT_EQ(run.code, 0) << c.args.back() << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with(c.imported + "\n")) << run.out;
    EXPECT_NE(run.out.find("Cookies: 10 imported"), std::string::npos) << run.out;
  }
}

TEST(ImportCommandFormsTest, AllImportsEachProfileWithItsOwnSummary) {
  BrowserHome h;
  ScratchStore s;
  CommandRun run = RunImport(*s.store, {"all"});
  EXPECT_EQ(run.code, 0) << run.err;
  const std::string expected[] = {
      "Importing the Firefox profile " + h.firefox.string() + "\nCache entries: 3 imported (3 new",
      "Importing the Chromium profile " + (h.chromium / "Default").string() + "\nCache entries: 3 imported",
      "Importing the Chromium profile " + (h.chromium / "Profile 1").string() + "\nCache entries: 0 imported",
      "Problem: No Cache/Cache_Data folder was found for the profile " + (h.chromium / "Profile 1").string(),
  };
  size_t from = 0;
  for (const std::string& text : expected) {
    from = run.out.find(text, from);
    ASSERT_NE(from, std::string::npos) << text << "\nin:\n" << run.out << run.err;
  }
}

// A real store that refuses the kinds of write it is told to.
class RefusingStore : public cache::SqliteUrlCacheStore {
 public:
  RefusingStore(const fs::path& folder, bool entries, bool visits, bool cookies)
      : cache::SqliteUrlCacheStore(folder), entries_(entries), visits_(visits), cookies_(cookies) {}
  uint32_t AddEntry(const cache::NewEntry& e) override {
    return entries_ ? cache::ERROR_STORE_FAILURE : cache::SqliteUrlCacheStore::AddEntry(e);
  }
  uint32_t AddEntries(std::span<const cache::NewEntry> e) override {
    return entries_ ? cache::ERROR_STORE_FAILURE : cache::SqliteUrlCacheStore::AddEntries(e);
  }
  uint32_t RecordVisit(std::string_view a, cache::FileTime w, uint32_t c) override {
    return visits_ ? cache::ERROR_STORE_FAILURE : cache::SqliteUrlCacheStore::RecordVisit(a, w, c);
  }
  uint32_t SetCookie(const cache::Cookie& c) override {
    return cookies_ ? cache::ERROR_STORE_FAILURE : cache::SqliteUrlCacheStore::SetCookie(c);
  }

 private:
  bool entries_, visits_, cookies_;
};

TEST(ImportCommandFormsTest, AnythingTheStoreRefusesMakesTheImportFail) {
  BrowserHome h;
  struct Case {
    bool entries, visits, cookies;
    std::string skipped;
    size_t refused;
  } cases[] = {
      {true, false, false, "Cache entries: 0 imported", 3},
      {false, true, false, "Visits: 0 imported, 0 unchanged, 19 skipped", 19},
      {false, false, true, "Cookies: 0 imported, 0 older copies from other partitions left out, 10 skipped", 10},
      {false, false, false, "Cookies: 10 imported", 0},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    RefusingStore refusing(folder.path() / "store", c.entries, c.visits, c.cookies);
    CommandRun run = RunImport(refusing, {h.firefox.string()});
    EXPECT_EQ(run.code, c.refused ? 1 : 0) << run.out;
    EXPECT_NE(run.out.find(c.skipped), std::string::npos) << run.out;
    std::string problem =
        "Problem: The store could not take " + std::to_string(c.refused) + " of the entries, visits and cookies";
    EXPECT_EQ(run.out.find(problem) != std::string::npos, c.refused > 0) << run.out;
    EXPECT_EQ(
        run.out.find("  skipped " + std::to_string(c.refused) + ": the store could not take it\n") != std::string::npos,
        c.refused > 0)
        << run.out;
  }
}

}  // namespace
}  // namespace vantry::import

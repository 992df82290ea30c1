#include "import/ImportCommand.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/Sqlite.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/CacheImport.h"
#include "import/CookieDecryption.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

void MakeDatabase(const fs::path& file, const std::string& sql) {
  fs::create_directories(file.parent_path());
  cache::SqliteDatabase db;
  ASSERT_TRUE(db.Open(file.string(), true));
  ASSERT_TRUE(db.Execute(sql)) << db.error();
}

// A Firefox profile as Firefox lays it out under a home folder, with two cached pages.
struct FirefoxHome {
  testing::TempFolder home;
  fs::path profile = home.path() / ".mozilla/firefox/abc.default-esr";
  fs::path entries = home.path() / ".cache/mozilla/firefox/abc.default-esr/cache2/entries";

  FirefoxHome() {
    WriteBytes(home.path() / ".mozilla/firefox/profiles.ini",
               "[Profile0]\nName=default-esr\nIsRelative=1\nPath=abc.default-esr\nDefault=1\n");
    AddPage(":http://a.test/", "<p>home</p>", 3);
    AddPage("O^partitionKey=%28http%2Ca.test%29,:http://a.test/pinned.css", "p{}", 1, 1);
    MakeDatabase(profile / "places.sqlite",
                 "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, visit_count INTEGER);"
                 "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id INTEGER, visit_date INTEGER);"
                 "INSERT INTO moz_places VALUES(1, 'http://a.test/', 2), (2, 'http://bookmark.test/', 0);"
                 "INSERT INTO moz_historyvisits VALUES(1, 1, 1700000000000000), (2, 1, 1700000500000000);");
    MakeDatabase(
        profile / "cookies.sqlite",
        "CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, name TEXT, value TEXT, host TEXT, path TEXT,"
        " expiry INTEGER, creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER);"
        "INSERT INTO moz_cookies VALUES(1, 'sid', 'abc', '.a.test', '/', 1900000000000, 1700000000000000, 0, 1);");
  }
  void AddPage(const std::string& key, const std::string& body, uint32_t fetches, uint32_t flags = 0) {
    FirefoxEntryParts parts;
    parts.key = key;
    parts.body = body;
    parts.fetchCount = fetches;
    parts.flags = flags;
    WriteBytes(entries / FirefoxEntryFileName(key), BuildFirefoxEntry(parts));
  }
};

TEST(ImportCommandTest, WrongCommandLinesShowTheUsage) {
  ScratchStore s;
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "say what to import"},
      {{"opera"}, "\"opera\" is not firefox, chromium, all, har or a profile folder"},
      {{"har"}, "har needs the FILE to import"},
      {{"firefox", "a", "b"}, "too many arguments after \"firefox\""},
      {{"all", "x"}, "too many arguments after \"all\""},
      {{s.folder.path().string(), "x"}, "too many arguments after"},
  };
  for (const auto& [args, problem] : cases) {
    CommandRun run = RunImport(*s.store, args);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.starts_with("vantry-store: import: " + problem)) << run.err;
    EXPECT_NE(run.err.find("\nusage: vantry-store import firefox|chromium [PROFILE]\n"), std::string::npos) << run.err;
  }
}

TEST(ImportCommandTest, MissingProfilesAreClearMessages) {
  ScratchStore s;
  testing::TempFolder emptyHome;
  EnvironmentOverride home("HOME", emptyHome.path().string());
  EnvironmentOverride config("XDG_CONFIG_HOME", (emptyHome.path() / ".config").string());
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"firefox", "/nonexistent/profile"},
       "vantry-store: import: no Firefox profile folder at \"/nonexistent/profile\"\n"},
      {{"firefox", "work"}, "vantry-store: import: no Firefox profile is named \"work\""},
      {{"chromium", "Profile 1"}, "vantry-store: import: no Chromium profile is named \"Profile 1\""},
      {{"firefox"}, "vantry-store: import: no Firefox profiles.ini in"},
      {{"chromium"}, "vantry-store: import: no profile of Chromium, Google Chrome, Brave"},
      {{"all"}, "vantry-store: import: no browser profile was found"},
      {{emptyHome.path().string()}, "is not a browser profile folder"},
      {{"har", emptyHome.path().string()}, "is a folder, not an HTTP archive"},
  };
  for (const auto& [args, message] : cases) {
    CommandRun run = RunImport(*s.store, args);
    EXPECT_EQ(run.code, 1) << args[0];
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  CommandRun run = RunImport(*s.store, {"har", (emptyHome.path() / "none.har").string()});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.out.find("Problem: Cannot read"), std::string::npos);
}

TEST(ImportCommandTest, DefaultFirefoxProfileOfTheHomeFolder) {
  ScratchStore s;
  FirefoxHome firefox;
  EnvironmentOverride home("HOME", firefox.home.path().string());
  EnvironmentOverride config("XDG_CONFIG_HOME", (firefox.home.path() / ".config").string());
  EnvironmentOverride cache("XDG_CACHE_HOME", "");
  CommandRun run = RunImport(*s.store, {"firefox"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Importing the Firefox profile " + firefox.profile.string() +
                "\nCache entries: 2 imported (2 new, 0 updated), 0 unchanged, 0 older than the store's copy, "
                "0 older copies of the same URL left out, 0 skipped\nVisits: 1 imported, 0 unchanged, 0 skipped\n"
                "Cookies: 1 imported, 0 older copies from other partitions left out, 0 skipped\n");
  std::optional<cache::CacheEntry> pinned = cache::LookupEntry(*s.store, "http://a.test/pinned.css");
  ASSERT_TRUE(pinned);
  EXPECT_EQ(pinned->entryType, cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY);
  std::optional<cache::CacheEntry> visit = cache::LookupEntry(*s.store, "Visited: @http://a.test/");
  ASSERT_TRUE(visit);
  EXPECT_EQ(visit->useCount, 2u);
  EXPECT_EQ(visit->lastAccessTime, cache::FileTimeFromUnixSeconds(1700000500));
  EXPECT_EQ(cache::GetCookieText(*s.store, "http://www.a.test/"), std::optional<std::string>("sid=abc"));
}

TEST(ImportCommandTest, ImportingAgainUpdatesChangedEntriesAndKeepsStickyMarks) {
  ScratchStore s;
  FirefoxHome firefox;
  EnvironmentOverride home("HOME", firefox.home.path().string());
  EnvironmentOverride cache("XDG_CACHE_HOME", "");
  ASSERT_EQ(RunImport(*s.store, {"firefox", firefox.profile.string()}).code, 0);
  cache::CacheEntry sticky;
  sticky.entryType = cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY;
  ASSERT_EQ(s.store->SetEntryInfo("http://a.test/", sticky, cache::CACHE_ENTRY_ATTRIBUTE_FC), cache::STORE_OK);
  firefox.AddPage(":http://a.test/", "<p>home, changed</p>", 4);
  firefox.AddPage(":http://a.test/new.html", "new", 1);
  CommandRun run = RunImport(*s.store, {"firefox", firefox.profile.string()});
  EXPECT_NE(run.out.find("Cache entries: 2 imported (1 new, 1 updated), 1 unchanged,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Visits: 0 imported, 1 unchanged"), std::string::npos) << run.out;
  std::optional<cache::CacheEntry> page = cache::LookupEntry(*s.store, "http://a.test/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->useCount, 4u);
  EXPECT_EQ(page->entryType, cache::NORMAL_CACHE_ENTRY | cache::STICKY_CACHE_ENTRY);
  EXPECT_EQ(files::ReadWholeFile(page->localFileName), std::optional<std::string>("<p>home, changed</p>"));
  size_t count = 0;
  cache::WalkCache(*s.store, "http:", [&](cache::CacheEntry&) { ++count; });
  EXPECT_EQ(count, 3u);
}

TEST(ImportCommandTest, DamagedDatabaseIsAMessageAndTheRestIsImported) {
  ScratchStore s;
  FirefoxHome firefox;
  WriteBytes(firefox.profile / "cookies.sqlite", "SQLite format 3\0 but cut off here");
  CommandRun run = RunImport(*s.store, {"firefox", firefox.profile.string()});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("Problem: Cookies: Cannot read " + (firefox.profile / "cookies.sqlite").string()),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("close the browser and import again"), std::string::npos);
  EXPECT_NE(run.out.find("Visits: 1 imported"), std::string::npos);
  EXPECT_TRUE(files::ReadWholeFile(firefox.profile / "cookies.sqlite")->starts_with("SQLite format 3"));  // untouched
}

TEST(ImportCommandTest, ChromiumKeyringCookiesArriveEmptyWithANote) {
  ScratchStore s;
  testing::TempFolder home;
  fs::path profile = home.path() / ".config/chromium/Default";
  SimpleEntryParts page;
  page.key = "1/0/_dk_http://a.test http://a.test http://a.test/";
  page.body = GzipBytes("<p>chromium</p>");
  page.headerLines = {"HTTP/1.1 200 OK", "Content-Encoding: gzip"};
  WriteBytes(home.path() / ".cache/chromium/Default/Cache/Cache_Data" / SimpleCacheFileName(page.key),
             BuildSimpleCacheEntry(page));
  MakeDatabase(profile / "History",
               "CREATE TABLE urls(id INTEGER PRIMARY KEY, url TEXT, visit_count INTEGER);"
               "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER);"
               "INSERT INTO urls VALUES(1, 'http://a.test/', 1);"
               "INSERT INTO visits VALUES(1, 1, 13340000000000000);");
  MakeDatabase(profile / "Cookies",
               "CREATE TABLE meta(key TEXT, value TEXT); INSERT INTO meta VALUES('version', '24');"
               "CREATE TABLE cookies(creation_utc INTEGER, host_key TEXT, name TEXT, value TEXT,"
               " encrypted_value BLOB, path TEXT, expires_utc INTEGER, is_secure INTEGER, is_httponly INTEGER,"
               " has_expires INTEGER);");
  {
    cache::SqliteDatabase db;
    ASSERT_TRUE(db.Open((profile / "Cookies").string(), false));
    cache::SqliteStatement insert = db.Prepare("INSERT INTO cookies VALUES(?, 'a.test', ?, '', ?, '/', ?, 0, 0, 1)");
    std::string plain = EncryptChromiumCookieV10("open", "a.test", 24);
    for (auto [name, value] :
         {std::pair<std::string, std::string>{"open", plain}, {"locked", "v11" + plain.substr(3)}}) {
      insert.Reset();
      insert.BindInt(1, 13340000000000000);
      insert.BindBytes(2, name);
      insert.BindBytes(3, value);
      insert.BindInt(4, 13600000000000000);  // in 2031
      ASSERT_EQ(insert.Step(), SQLITE_DONE);
    }
  }
  EnvironmentOverride homeVariable("HOME", home.path().string());
  EnvironmentOverride config("XDG_CONFIG_HOME", "");
  EnvironmentOverride cache("XDG_CACHE_HOME", "");
  EnvironmentOverride noKeyring("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (home.path() / "no-bus").string());
  CommandRun run = RunImport(*s.store, {"chromium"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err,
            "vantry-store: note: 1 cookie values are encrypted with the desktop keyring and were imported with empty "
            "values.\n");
  EXPECT_NE(run.out.find("Cookies: 2 imported"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Visits: 1 imported"), std::string::npos) << run.out;
  std::optional<cache::CacheEntry> entry = cache::LookupEntry(*s.store, "http://a.test/");
  ASSERT_TRUE(entry);
  EXPECT_EQ(files::ReadWholeFile(entry->localFileName), std::optional<std::string>("<p>chromium</p>"));
  EXPECT_EQ(std::string(cache::HeaderText(*entry)), "HTTP/1.1 200 OK\r\nOriginal-Content-Encoding: gzip\r\n\r\n");
  EXPECT_EQ(cache::GetCookieText(*s.store, "http://a.test/"), std::optional<std::string>("open=open; locked="));
}

TEST(ImportCommandTest, HttpArchiveKeepsTheNewestCopyOfEachUrl) {
  ScratchStore s;
  testing::TempFolder folder;
  fs::path har = folder.path() / "site.har";
  WriteBytes(har, R"({"log": {"entries": [
    {"startedDateTime": "2024-05-01T10:00:00Z", "request": {"url": "https://a.test/"},
     "response": {"status": 200, "statusText": "OK", "httpVersion": "HTTP/1.1",
       "headers": [{"name": "Content-Encoding", "value": "br"}], "content": {"text": "old"}}},
    {"startedDateTime": "2024-05-01T11:00:00Z", "request": {"url": "https://a.test/"},
     "response": {"status": 200, "statusText": "OK", "httpVersion": "HTTP/1.1",
       "headers": [{"name": "Content-Encoding", "value": "br"}], "content": {"text": "new"}}},
    {"startedDateTime": "2024-05-01T12:00:00Z", "request": {"method": "POST", "url": "https://a.test/"},
     "response": {"status": 200, "statusText": "OK", "headers": [], "content": {"text": "posted"}}}]}})");
  CommandRun run = RunImport(*s.store, {"har", har.string()});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(
      run.out.find(
          "Cache entries: 1 imported (1 new, 0 updated), 0 unchanged, 0 older than the store's copy, 1 older copies"),
      std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  skipped 1: response to a POST request\n"), std::string::npos) << run.out;
  std::optional<cache::CacheEntry> entry = cache::LookupEntry(*s.store, "https://a.test/");
  ASSERT_TRUE(entry);
  EXPECT_EQ(files::ReadWholeFile(entry->localFileName), std::optional<std::string>("new"));
  EXPECT_EQ(std::string(cache::HeaderText(*entry)), "HTTP/1.1 200 OK\r\nOriginal-Content-Encoding: br\r\n\r\n");
}

TEST(ImportCommandTest, LargeImportsShowAProgressLine) {
  ScratchStore s;
  std::vector<ImportedEntry> entries(1000);
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].url = "http://a.test/" + std::to_string(i);
    entries[i].headers = "HTTP/1.1 200 OK\r\n\r\n";
  }
  std::ostringstream progress, quiet;
  ImportSummary summary;
  EntryImporter importer(*s.store, summary, StoreOptions{1000, 64});
  ImportWholeEntries(std::move(entries), importer, progress);
  EXPECT_EQ(summary.entriesAdded, 1000u);
  EXPECT_EQ(progress.str(), "\rImporting cache entries: 500 of 1000\rImporting cache entries: 1000 of 1000\n");
  ImportSummary none;
  EntryImporter nothing(*s.store, none, StoreOptions{1000, 64});
  ImportWholeEntries({}, nothing, quiet);
  EXPECT_EQ(quiet.str(), "");
}

}  // namespace

}  // namespace vantry::import

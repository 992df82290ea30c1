#include <algorithm>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/CookieFile.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/ChromiumDatabases.h"
#include "import/FirefoxDatabases.h"
#include "import/ProfileImport.h"
#include "import/tests/ImportTestSupport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

struct Walked {
  std::vector<cache::CacheEntry> content, visits, cookies;
};

Walked WalkAll(cache::UrlCacheStore& store) {
  Walked walked;
  cache::WalkCache(store, "", [&](cache::CacheEntry& e) {
    if (e.entryType & cache::URLHISTORY_CACHE_ENTRY)
      walked.visits.push_back(e);
    else if (e.entryType & cache::COOKIE_CACHE_ENTRY)
      walked.cookies.push_back(e);
    else
      walked.content.push_back(e);
  });
  return walked;
}

std::string SiteFile(const std::string& relative) {
  return files::ReadWholeFile(CorpusFolder() / "site" / relative).value_or("<missing>");
}

// Every cookie of the store's cookie files as "name=value", whether expired or not: the
// corpus cookies expire a few hours to a year after the corpus was made.
std::set<std::string> StoredCookies(cache::UrlCacheStore& store) {
  std::set<std::string> cookies;
  cache::WalkCache(store, "Cookie:", [&](cache::CacheEntry& e) {
    for (const cache::Cookie& c : cache::ParseCookieFile(files::ReadWholeFile(e.localFileName).value_or("")))
      cookies.insert(c.domain + c.path + " " + c.name + "=" + c.value);
  });
  return cookies;
}

FirefoxProfile CorpusFirefox() {
  return FirefoxProfileAt(CorpusFolder() / "firefox", HomeFolders{"/nonexistent", {}, {}});
}

std::vector<ChromiumProfile> CorpusChromium() {
  return {ChromiumProfileAt(CorpusFolder() / "chromium", HomeFolders{"/nonexistent", {}, {}})};
}

// What both corpus profiles hold, whichever browser made them.
void ExpectCommonSite(cache::UrlCacheStore& store) {
  EXPECT_EQ(StoredBody(store, "http://127.0.0.1:8081/js/lib.js"), SiteFile("port8081/js/lib.js"));
  EXPECT_EQ(StoredBody(store, "http://127.0.0.1:8081/readme.txt"), SiteFile("port8081/readme.txt"));
  EXPECT_EQ(StoredBody(store, "http://127.0.0.1:8081/img/photo.jpg"), SiteFile("port8081/img/photo.jpg"));
  std::optional<cache::CacheEntry> lib = cache::LookupEntry(store, "http://127.0.0.1:8081/js/lib.js");
  ASSERT_TRUE(lib);
  std::string headers(cache::HeaderText(*lib));
  EXPECT_NE(headers.find("Original-Content-Encoding: gzip\r\n"), std::string::npos) << headers;
  EXPECT_EQ(headers.find("\r\nContent-Encoding:"), std::string::npos) << headers;
  EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\n")) << headers;
  EXPECT_TRUE(headers.ends_with("\r\n\r\n"));

  const std::set<std::string> expected = {
      "127.0.0.1/ prefs=lang%3Den%7Ctheme%3Ddark",
      "127.0.0.1/ last_search=cache+viewer",
      "127.0.0.1/ long_value=L0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef-end",
      "127.0.0.1/ secure_token=s3cr3t-value",
      "127.0.0.1/ http_only=1",
      "127.0.0.1/ lax_cookie=lax",
      "127.0.0.1/a/b deep_path=yes",
      "127.0.0.1/ site2=second-port",
      "127.0.0.1/news story_read=42",
      "localhost/ lh_visit=1"};
  EXPECT_EQ(StoredCookies(store), expected);
}

TEST(CorpusImportTest, FirefoxProfileGivesEveryUrlVisitAndCookie) {
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportFirefoxProfile(CorpusFirefox(), *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 356u);
  EXPECT_EQ(summary.entriesInOtherPartitions, 3u);
  EXPECT_EQ(Total(summary.entriesSkipped), 0u);
  EXPECT_EQ(summary.visitsImported, 19u);
  EXPECT_EQ(summary.cookiesImported, 10u);
  EXPECT_TRUE(summary.problems.empty()) << summary.problems.front();

  Walked walked = WalkAll(*s.store);
  EXPECT_EQ(walked.content.size(), 356u);
  EXPECT_EQ(walked.visits.size(), 19u);
  EXPECT_EQ(walked.cookies.size(), 2u);  // one cookie file per site: 127.0.0.1 and localhost
  ExpectCommonSite(*s.store);

  // The first line of the corpus listing: fetched twice, times in Unix seconds.
  std::optional<cache::CacheEntry> home = cache::LookupEntry(*s.store, "http://127.0.0.1:8081/");
  ASSERT_TRUE(home);
  EXPECT_EQ(home->useCount, 2u);
  EXPECT_EQ(home->lastAccessTime, cache::FileTimeFromUnixSeconds(1796629599));
  EXPECT_EQ(home->lastModifiedTime, cache::FileTimeFromUnixSeconds(1796629599));
  EXPECT_EQ(home->expireTime, cache::FileTimeFromUnixSeconds(1796630076));
  EXPECT_EQ(home->entryType, cache::NORMAL_CACHE_ENTRY);
  EXPECT_EQ(home->sizeLow, 861u);
  EXPECT_EQ(StoredBody(*s.store, "http://127.0.0.1:8081/"), SiteFile("port8081/index.html"));

  std::optional<cache::CacheEntry> visit = cache::LookupEntry(*s.store, "Visited: @http://127.0.0.1:8081/default.asp");
  ASSERT_TRUE(visit);
  EXPECT_EQ(visit->useCount, 3u);
  EXPECT_EQ(visit->lastAccessTime, FileTimeFromUnixMicroseconds(1796629604230940));
  EXPECT_TRUE(cache::LookupEntry(*s.store, "Visited: @http://127.0.0.1:8081/old-page.asp"));
  EXPECT_FALSE(cache::LookupEntry(*s.store, "Visited: @https://www.mozilla.org/about/"));  // a bookmark, never visited
}

TEST(CorpusImportTest, ChromiumProfileGivesEveryUrlVisitAndDecryptedCookie) {
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportChromiumProfiles(CorpusChromium(), *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 357u);
  EXPECT_EQ(summary.entriesInOtherPartitions, 5u);
  EXPECT_EQ(Total(summary.entriesSkipped), 0u);
  EXPECT_EQ(summary.visitsImported, 19u);
  EXPECT_EQ(summary.cookiesImported, 10u);
  EXPECT_EQ(summary.cookiesWithoutValue, 0u);
  EXPECT_TRUE(summary.problems.empty()) << summary.problems.front();
  EXPECT_EQ(WalkAll(*s.store).content.size(), 357u);
  ExpectCommonSite(*s.store);

  // Chromium keeps the 301 with its Location and an empty body.
  std::optional<cache::CacheEntry> moved = cache::LookupEntry(*s.store, "http://127.0.0.1:8081/old-page.asp");
  ASSERT_TRUE(moved);
  EXPECT_TRUE(cache::HeaderText(*moved).starts_with("HTTP/1.1 301 "));
  EXPECT_EQ(moved->sizeLow, 0u);
  std::optional<cache::CacheEntry> home = cache::LookupEntry(*s.store, "http://127.0.0.1:8081/");
  ASSERT_TRUE(home);
  EXPECT_EQ(home->lastSyncTime, FileTimeFromWindowsMicroseconds(13441103215002530));
  EXPECT_EQ(home->expireTime, home->lastSyncTime + 600 * 10000000ULL);  // max-age=600
  std::optional<cache::CacheEntry> visit = cache::LookupEntry(*s.store, "Visited: @http://127.0.0.1:8082/");
  ASSERT_TRUE(visit);
  EXPECT_EQ(visit->useCount, 2u);
  EXPECT_EQ(visit->lastAccessTime, FileTimeFromWindowsMicroseconds(13441103268223776));
}

TEST(CorpusImportTest, ImportingAgainChangesNothingAndAddsNoDuplicates) {
  ScratchStore s;
  std::ostringstream progress;
  ImportFirefoxProfile(CorpusFirefox(), *s.store, progress);
  ImportSummary again = ImportFirefoxProfile(CorpusFirefox(), *s.store, progress);
  EXPECT_EQ(again.entriesUnchanged, 356u);
  EXPECT_EQ(again.entriesImported(), 0u);
  EXPECT_EQ(again.visitsUnchanged, 19u);
  EXPECT_EQ(again.cookiesImported, 10u);  // the cookie jar replaces them in place

  // Chromium fetched a few seconds after Firefox: its copies replace Firefox's and stay.
  ImportSummary chromium = ImportChromiumProfiles(CorpusChromium(), *s.store, progress);
  EXPECT_GT(chromium.entriesUpdated, 300u);
  ImportSummary third = ImportFirefoxProfile(CorpusFirefox(), *s.store, progress);
  EXPECT_EQ(third.entriesImported(), 0u);
  EXPECT_EQ(third.entriesUnchanged + third.entriesStoreHasNewer, 356u);
  EXPECT_EQ(third.entriesStoreHasNewer, chromium.entriesUpdated);

  Walked walked = WalkAll(*s.store);
  EXPECT_EQ(walked.content.size(), 356u + chromium.entriesAdded);
  std::set<std::string> urls;
  for (const cache::CacheEntry& e : walked.content) EXPECT_TRUE(urls.insert(e.sourceUrl).second) << e.sourceUrl;
  EXPECT_EQ(walked.visits.size(), 19u);
  EXPECT_EQ(walked.cookies.size(), 2u);
  EXPECT_EQ(StoredCookies(*s.store).size(), 10u);
}

TEST(CorpusImportTest, ChromiumCookieReaderDecryptsFixedKeyValues) {
  size_t undecryptable = 0;
  CookieRead read = ReadChromiumCookies(CorpusFolder() / "chromium/Default/Cookies", undecryptable);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(undecryptable, 0u);
  ASSERT_EQ(read.cookies.size(), 10u);
  const cache::Cookie& first = read.cookies.front().cookie;  // ordered by creation: "prefs" came first
  EXPECT_EQ(first.name, "prefs");
  EXPECT_EQ(first.value, "lang%3Den%7Ctheme%3Ddark");
  EXPECT_EQ(first.expiry, FileTimeFromWindowsMicroseconds(13443695215002956));
  EXPECT_EQ(first.creation, FileTimeFromWindowsMicroseconds(13441103215002956));
}

TEST(CorpusImportTest, FirefoxCookieReaderKeepsRealTimesAndFlags) {
  CookieRead read = ReadFirefoxCookies(CorpusFolder() / "firefox/cookies.sqlite");
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.cookies.size(), 10u);
  auto secure = std::find_if(read.cookies.begin(), read.cookies.end(),
                             [](const ImportedCookie& c) { return c.cookie.name == "secure_token"; });
  ASSERT_NE(secure, read.cookies.end());
  EXPECT_EQ(secure->cookie.flags, cache::COOKIE_FLAG_SECURE);
  EXPECT_EQ(secure->cookie.expiry, cache::FileTimeFromUnixSeconds(1796715894));
  EXPECT_EQ(secure->cookie.creation, FileTimeFromUnixMicroseconds(1796629494959314));
}

}  // namespace

}  // namespace vantry::import

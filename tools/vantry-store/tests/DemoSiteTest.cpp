#include "tools/vantry-store/DemoSite.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "cache/store/CookieFile.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "tools/vantry-store/tests/StoreToolTestSupport.h"

namespace vantry::storetool {

namespace {

std::string HostOf(std::string_view url) {
  size_t start = url.find("://") + 3;
  return std::string(url.substr(start, url.find_first_of("/?", start) - start));
}

std::string ContentTypeOf(const cache::CacheEntry& entry) {
  size_t start = entry.headerInfo.find("\r\nContent-Type: ");
  if (start == std::string::npos) return "";
  start += 16;
  return entry.headerInfo.substr(start, entry.headerInfo.find_first_of(";\r", start) - start);
}

// Resolves a link of a page the way a browser does: absolute, host-relative or relative
// with "." and ".." segments.
std::string Resolve(const std::string& page, std::string link) {
  for (size_t amp; (amp = link.find("&amp;")) != std::string::npos;) link.replace(amp, 5, "&");
  if (link.find("://") != std::string::npos) return link;
  size_t pathStart = page.find('/', page.find("://") + 3);
  std::string origin = page.substr(0, pathStart);
  std::string path = link.starts_with('/') ? link : [&] {
    std::string base = page.substr(pathStart);
    base = base.substr(0, base.find('?'));
    return base.substr(0, base.rfind('/') + 1) + link;
  }();
  std::string query;
  if (size_t q = path.find('?'); q != std::string::npos) query = path.substr(q), path.resize(q);
  std::vector<std::string> segments;
  size_t start = 1;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    std::string segment = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      if (end == std::string::npos) segments.emplace_back();
    } else if (segment != "." || end == std::string::npos) {
      segments.push_back(segment == "." ? "" : segment);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::string resolved = origin;
  for (const std::string& segment : segments) resolved += "/" + segment;
  if (segments.empty()) resolved += "/";
  return resolved + query;
}

// The values of href="..." and src="..." attributes and of CSS url(...) references.
std::vector<std::string> LinksOf(const std::string& text) {
  std::vector<std::string> links;
  for (auto [opening, closing] : {std::pair{"href=\"", '"'}, {"src=\"", '"'}, {"url(", ')'}}) {
    for (size_t at = text.find(opening); at != std::string::npos; at = text.find(opening, at + 1)) {
      size_t start = at + std::string_view(opening).size();
      links.push_back(text.substr(start, text.find(closing, start) - start));
    }
  }
  return links;
}

class DemoSiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store = std::make_unique<cache::SqliteUrlCacheStore>(folder.path() / "store");
    ASSERT_EQ(store->error(), "");
    // The store judges cookie expiry by the real clock, so the demo is made at real time.
    ASSERT_EQ(AddDemoSite(*store, time(nullptr), summary), cache::STORE_OK);
    cache::WalkCache(*store, "", [&](cache::CacheEntry& e) { entries.push_back(e); });
  }
  std::vector<cache::CacheEntry> Content() const {
    std::vector<cache::CacheEntry> content;
    for (const cache::CacheEntry& e : entries)
      if (cache::IsContentEntry(e)) content.push_back(e);
    return content;
  }

  testing::TempFolder folder;
  std::unique_ptr<cache::SqliteUrlCacheStore> store;
  DemoSummary summary;
  std::vector<cache::CacheEntry> entries;
};

TEST_F(DemoSiteTest, HoldsSeveralHostsAndEveryContentType) {
  std::set<std::string> hosts, types;
  for (const cache::CacheEntry& e : Content()) {
    hosts.insert(HostOf(e.sourceUrl));
    types.insert(ContentTypeOf(e));
    EXPECT_TRUE(e.headerInfo.starts_with("HTTP/1.1 200 OK\r\n")) << e.sourceUrl;
    EXPECT_NE(e.headerInfo.find("\r\nContent-Length: " + std::to_string(e.sizeLow) + "\r\n"), std::string::npos);
    EXPECT_GT(e.sizeLow, 0u) << e.sourceUrl;
  }
  EXPECT_GE(hosts.size(), 3u);
  for (const char* host : {"www.vantry-demo.example", "shop.vantry-demo.example", "static.harbourcdn.example"})
    EXPECT_TRUE(hosts.count(host)) << host;
  EXPECT_EQ(types, (std::set<std::string>{"application/octet-stream", "application/x-javascript", "image/gif",
                                          "image/jpeg", "image/png", "text/css", "text/html", "text/plain"}));
  EXPECT_EQ(summary.contentEntries, static_cast<int>(Content().size()) + 1);  // the FTP file keeps no headers
}

TEST_F(DemoSiteTest, AddressesCoverTheAwkwardShapes) {
  int asp = 0, query = 0, folderPages = 0, deepPages = 0, sticky = 0;
  for (const cache::CacheEntry& e : Content()) {
    std::string path = e.sourceUrl.substr(e.sourceUrl.find('/', e.sourceUrl.find("://") + 3));
    asp += path.ends_with(".asp");
    query += path.find('?') != std::string::npos;
    folderPages += path.size() > 1 && path.ends_with('/');
    deepPages += std::count(path.begin(), path.end(), '/') >= 3 && path.find('?') == std::string::npos;
    sticky += (e.entryType & cache::STICKY_CACHE_ENTRY) != 0;
  }
  EXPECT_GE(asp, 1);
  EXPECT_GE(query, 2);
  EXPECT_GE(folderPages, 1);
  EXPECT_GE(deepPages, 2);
  EXPECT_GE(sticky, 2);
}

TEST_F(DemoSiteTest, CachedFilesAreTheBundledFilesAndImagesAreReal) {
  std::map<std::string, std::string> magic = {{"image/gif", "GIF89a"},
                                              {"image/png", "\x89PNG\r\n\x1a\n"},
                                              {"image/jpeg", "\xFF\xD8\xFF"},
                                              {"text/html", "<!DOCTYPE html>"}};
  for (const cache::CacheEntry& e : Content()) {
    std::optional<std::string> bytes = files::ReadWholeFile(e.localFileName);
    ASSERT_TRUE(bytes) << e.sourceUrl;
    EXPECT_EQ(bytes->size(), e.sizeLow);
    if (auto it = magic.find(ContentTypeOf(e)); it != magic.end()) {
      EXPECT_TRUE(bytes->starts_with(it->second)) << e.sourceUrl;
    }
  }
  EXPECT_TRUE(DemoFileBytes("logo.gif").ends_with(";"));
  EXPECT_TRUE(DemoFileBytes("harbour.jpg").ends_with("\xFF\xD9"));
  EXPECT_EQ(DemoFileBytes("no-such-file"), "");
}

TEST_F(DemoSiteTest, EveryLinkOfEveryPageResolvesToACachedEntry) {
  std::set<std::string> forms;
  for (const cache::CacheEntry& e : Content()) {
    std::string type = ContentTypeOf(e);
    if (type != "text/html" && type != "text/css") continue;
    std::string text = *files::ReadWholeFile(e.localFileName);
    for (const std::string& link : LinksOf(text)) {
      std::string target = Resolve(e.sourceUrl, link);
      EXPECT_TRUE(cache::LookupEntry(*store, target)) << e.sourceUrl << " links " << link << " = " << target;
      if (link.starts_with("../../"))
        forms.insert("../../");
      else if (link.starts_with("../"))
        forms.insert("../");
      else if (link.starts_with("/"))
        forms.insert("/");
    }
  }
  EXPECT_EQ(forms, (std::set<std::string>{"../../", "../", "/"}));
}

TEST(DemoLinkResolutionTest, ResolvesLikeABrowser) {
  const std::pair<std::string, std::string> cases[][1] = {
      {{"../../style/site.css", "http://h/style/site.css"}},
      {{"../", "http://h/docs/"}},
      {{"/about.asp", "http://h/about.asp"}},
      {{"install.html", "http://h/docs/guide/install.html"}},
      {{"search.asp?q=a&amp;page=2", "http://h/docs/guide/search.asp?q=a&page=2"}},
      {{"ftp://f/x.txt", "ftp://f/x.txt"}},
  };
  for (const auto& [c] : cases) EXPECT_EQ(Resolve("http://h/docs/guide/intro.html?x=1", c.first), c.second);
}

TEST_F(DemoSiteTest, CookiesHoldNineRecordsOnOneSiteASecureOneAndALongValue) {
  std::map<std::string, std::vector<cache::Cookie>> sites;
  for (const cache::CacheEntry& e : entries) {
    if (!(e.entryType & cache::COOKIE_CACHE_ENTRY)) continue;
    std::optional<std::string> text = files::ReadWholeFile(e.localFileName);
    ASSERT_TRUE(text) << e.sourceUrl;
    sites[e.sourceUrl] = cache::ParseCookieFile(*text);
    // The cookie decoder reads at most 1000 bytes; the demo stays below its warning.
    EXPECT_LE(text->size(), 998u) << e.sourceUrl;
  }
  size_t mostRecords = 0;
  bool secure = false, longValue = false;
  for (const auto& [key, cookies] : sites) {
    mostRecords = std::max(mostRecords, cookies.size());
    for (const cache::Cookie& c : cookies) {
      secure |= (c.flags & cache::COOKIE_FLAG_SECURE) != 0;
      longValue |= c.value.size() > 60;
    }
  }
  EXPECT_EQ(mostRecords, 9u);
  EXPECT_TRUE(secure);
  EXPECT_TRUE(longValue);
  EXPECT_EQ(summary.cookies, 13);
  // The secure cookie goes to https only.
  EXPECT_EQ(cache::GetCookieText(*store, "http://secure.vantry-demo.example/account/")->find("auth="),
            std::string::npos);
  EXPECT_NE(cache::GetCookieText(*store, "https://secure.vantry-demo.example/account/")->find("auth="),
            std::string::npos);
}

TEST_F(DemoSiteTest, HistoryVisitsAreStoredAndRunningTheDemoTwiceChangesNothing) {
  int history = 0;
  for (const cache::CacheEntry& e : entries) history += (e.entryType & cache::URLHISTORY_CACHE_ENTRY) != 0;
  EXPECT_EQ(history, summary.visits);
  std::vector<std::string> before = Snapshot(*store);
  DemoSummary again;
  ASSERT_EQ(AddDemoSite(*store, time(nullptr), again), cache::STORE_OK);
  EXPECT_EQ(Snapshot(*store).size(), before.size());
}

}  // namespace

}  // namespace vantry::storetool

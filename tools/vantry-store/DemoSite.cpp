#include "tools/vantry-store/DemoSite.h"

#include <string>
#include <vector>

#include "tools/vantry-store/DemoFiles.h"
#include "tools/vantry-store/DemoHistory.h"
#include "tools/vantry-store/ResponseHeaders.h"

namespace vantry::storetool {

namespace {

constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 24 * kHour;

constexpr std::string_view kHtml = "text/html; charset=utf-8";

struct DemoPage {
  std::string_view url;
  std::string_view file;
  std::string_view contentType;  // empty: the entry keeps no headers, as an FTP download does
  int modifiedDaysAgo;
  int accessedHoursAgo;
  bool sticky;
};

constexpr DemoPage kPages[] = {
    {"http://www.vantry-demo.example/", "index.html", kHtml, 3, 1, true},
    {"http://www.vantry-demo.example/search.asp?q=lighthouse&page=2", "search.html", kHtml, 0, 2, false},
    {"https://secure.vantry-demo.example/account/", "account.html", kHtml, 0, 3, false},
    {"http://www.vantry-demo.example/about.asp", "about.html", kHtml, 40, 5, false},
    {"http://www.vantry-demo.example/docs/", "docs.html", kHtml, 12, 26, false},
    {"http://www.vantry-demo.example/docs/guide/intro.html", "guide-intro.html", kHtml, 12, 26, false},
    {"http://www.vantry-demo.example/docs/guide/install.html", "guide-install.html", kHtml, 12, 50, false},
    {"http://www.vantry-demo.example/docs/readme.txt", "readme.txt", "text/plain; charset=utf-8", 60, 50, false},
    {"http://www.vantry-demo.example/style/site.css", "site.css", "text/css", 90, 1, true},
    {"http://www.vantry-demo.example/scripts/menu.js", "menu.js", "application/x-javascript", 90, 1, false},
    {"http://www.vantry-demo.example/images/logo.gif", "logo.gif", "image/gif", 200, 1, true},
    {"http://www.vantry-demo.example/images/banner.png", "banner.png", "image/png", 200, 5, false},
    {"http://www.vantry-demo.example/images/harbour.jpg", "harbour.jpg", "image/jpeg", 30, 1, true},
    {"http://www.vantry-demo.example/downloads/harbour-setup.bin", "harbour-setup.bin", "application/octet-stream", 15,
     50, false},
    {"http://shop.vantry-demo.example/", "shop-index.html", kHtml, 1, 30, false},
    {"http://shop.vantry-demo.example/catalog/lamps/item.asp?id=17", "shop-item.html", kHtml, 5, 30, false},
    {"http://shop.vantry-demo.example/images/lamp.jpg", "lamp.jpg", "image/jpeg", 100, 30, false},
    {"http://static.harbourcdn.example/lib/tabs.js", "tabs.js", "application/x-javascript", 300, 1, false},
    {"http://static.harbourcdn.example/img/star.gif", "star.gif", "image/gif", 300, 1, false},
    {"http://www.linkpartner.example/out.asp?site=www.vantry-demo.example", "partner.html", kHtml, 7, 100, false},
    {"ftp://ftp.vantry-demo.example/pub/timetable.txt", "timetable.txt", "", 400, 120, false},
};

struct DemoCookie {
  std::string_view domain;
  std::string_view path;
  std::string_view name;
  std::string_view value;
  uint32_t flags;
  int expiresInDays;  // 0: a session cookie
  int createdDaysAgo;
};

// Nine records on one site, a secure one, and a value longer than 60 characters.
constexpr DemoCookie kCookies[] = {
    {".vantry-demo.example", "/", "session", "a81f3c0e", 0, 0, 0},
    {".vantry-demo.example", "/", "lang", "en", 0, 365, 120},
    {".vantry-demo.example", "/", "theme", "sea", 0, 365, 90},
    {".vantry-demo.example", "/", "visits", "14", 0, 365, 180},
    {".vantry-demo.example", "/", "tz", "CET", 0, 30, 10},
    {".vantry-demo.example", "/", "consent", "yes", 0, 180, 170},
    {".vantry-demo.example", "/", "cart", "0", 0, 7, 1},
    {".vantry-demo.example", "/", "ref", "partner", 0, 30, 7},
    {".vantry-demo.example", "/docs/", "guide", "intro", 0, 90, 12},
    {"secure.vantry-demo.example", "/account/", "auth", "7f3a9c2e5b8d4f1a6e0c3b9d2a7f5e81",
     cache::COOKIE_FLAG_SECURE | cache::COOKIE_FLAG_HTTPONLY, 1, 0},
    {"shop.vantry-demo.example", "/", "basket",
     "item17-lamp-red-white.qty1.price24.90|delivery=free|coupon=SPRING-LIGHTS|ts=1796630400", 0, 14, 5},
    {".harbourcdn.example", "/", "edge", "eu-north-2", 0, 60, 30},
    {".linkpartner.example", "/", "partner_ref", "vantry-demo", 0, 90, 7},
};

cache::FileTime At(int64_t unixSeconds) { return cache::FileTimeFromUnixSeconds(unixSeconds); }

cache::NewEntry ContentEntry(const DemoPage& page, int64_t now) {
  cache::NewEntry entry;
  entry.url = page.url;
  entry.content = DemoFileBytes(page.file);
  int64_t accessed = now - page.accessedHoursAgo * kHour;
  int64_t modified = accessed - page.modifiedDaysAgo * kDay;
  if (!page.contentType.empty()) {
    ResponseFacts facts;
    facts.contentType = page.contentType;
    facts.contentLength = entry.content.size();
    facts.date = accessed;
    facts.lastModified = modified;
    facts.etag = std::to_string(entry.content.size()) + "-" + std::to_string(modified);
    entry.headers = ResponseHeaders(facts);
  }
  entry.entryType = cache::NORMAL_CACHE_ENTRY | (page.sticky ? cache::STICKY_CACHE_ENTRY : 0);
  entry.lastModifiedTime = At(modified);
  entry.lastAccessTime = entry.lastSyncTime = At(accessed);
  entry.expireTime = At(accessed + 30 * kDay);
  entry.useCount = 1 + static_cast<uint32_t>(page.url.size() % 7);
  return entry;
}

}  // namespace

std::string_view DemoFileBytes(std::string_view name) {
  for (const EmbeddedFile& file : DemoFiles())
    if (file.name == name) return file.bytes;
  return {};
}

uint32_t AddDemoSite(cache::UrlCacheStore& store, int64_t now, DemoSummary& summary) {
  summary = {};
  for (const DemoPage& page : kPages) {
    if (uint32_t error = store.AddEntry(ContentEntry(page, now)); error != cache::STORE_OK) return error;
    ++summary.contentEntries;
  }
  for (const DemoCookie& c : kCookies) {
    cache::Cookie cookie{std::string(c.name),
                         std::string(c.value),
                         std::string(c.domain),
                         std::string(c.path),
                         c.flags,
                         c.expiresInDays ? At(now + c.expiresInDays * kDay) : 0,
                         At(now - c.createdDaysAgo * kDay)};
    if (uint32_t error = store.SetCookie(cookie); error != cache::STORE_OK) return error;
    ++summary.cookies;
  }
  std::vector<std::string> pages;
  for (const DemoPage& page : kPages)
    if (page.contentType == kHtml) pages.emplace_back(page.url);
  for (const DemoVisit& visit : DemoVisits(now, pages)) {
    if (uint32_t error = store.RecordVisit(visit.address, At(visit.when), visit.visitCount); error != cache::STORE_OK)
      return error;
    ++summary.visits;
  }
  return cache::STORE_OK;
}

}  // namespace vantry::storetool

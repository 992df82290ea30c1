#include "bench/lists/BenchStores.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace vantry::bench {

namespace {

struct Kind {
  const char* extension;
  const char* contentType;
};
constexpr Kind kKinds[] = {
    {".html", "text/html; charset=utf-8"},
    {".gif", "image/gif"},
    {".jpg", "image/jpeg"},
    {".css", "text/css"},
    {".js", "application/x-javascript"},
    {".png", "image/png"},
    {"", "text/html"},
    {".asp?id=7&img=a.gif", "image/gif"},
};

constexpr size_t kBatch = 5000;

std::string Host(std::mt19937& random) { return "www.site" + std::to_string(random() % 400) + ".example"; }

}  // namespace

void FillContentStore(cache::SqliteUrlCacheStore& store, int count) {
  std::mt19937 random(42);
  std::vector<cache::NewEntry> entries(count);
  for (int i = 0; i < count; ++i) {
    const Kind& kind = kKinds[random() % std::size(kKinds)];
    cache::NewEntry& e = entries[i];
    e.url = "http://" + Host(random) + "/dir" + std::to_string(random() % 50) + "/item" + std::to_string(i) +
            kind.extension;
    e.headers = std::string("HTTP/1.1 200 OK\r\nContent-Type: ") + kind.contentType +
                "\r\nContent-Length: 1234\r\nServer: Apache/2.4\r\nDate: Mon, 07 Dec 2026 08:00:00 GMT\r\n\r\n";
    e.content = "x";
    e.lastSyncTime = e.lastAccessTime = cache::FileTimeNow() - (random() % 20000) * 36000000000ULL;
  }
  std::shuffle(entries.begin(), entries.end(), random);
  for (size_t at = 0; at < entries.size(); at += kBatch)
    store.AddEntries(std::span(entries).subspan(at, std::min(kBatch, entries.size() - at)));
  for (int i = 0; i < 300; ++i) store.SetCookie(cache::Cookie{"id", std::to_string(i), Host(random), "/", 0, 0, 0});
}

void FillHistoryStore(cache::SqliteUrlCacheStore& store, int count) {
  std::mt19937 random(7);
  std::vector<cache::Visit> visits;
  for (int i = 0; i < count; ++i) {
    cache::FileTime when = cache::FileTimeNow() - (random() % (200 * 24)) * 36000000000ULL;
    visits.push_back({"http://" + Host(random) + "/page" + std::to_string(i) + ".html", when, 1});
    if (visits.size() == kBatch || i + 1 == count) {
      store.RecordVisits(visits);
      visits.clear();
    }
  }
}

}  // namespace vantry::bench

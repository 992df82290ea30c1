#include "tools/vantry-store/SyntheticEntries.h"

#include <cmath>
#include <string_view>

#include "tools/vantry-store/ResponseHeaders.h"

namespace vantry::storetool {

namespace {

constexpr int64_t kDay = 24 * 3600;
constexpr size_t kBatch = 500;
constexpr uint64_t kBaseHosts = 40;
constexpr uint64_t kItemsPerExtraHost = 25;

constexpr std::string_view kWords[] = {
    "harbour", "fjord",  "maple",  "river",  "stone",  "cloud",  "amber",  "north",  "pixel",  "cedar",
    "delta",   "ember",  "falcon", "garden", "island", "jasper", "kettle", "lumen",  "meadow", "nimbus",
    "orbit",   "pepper", "quartz", "raven",  "silver", "tidal",  "umber",  "velvet", "willow", "yonder",
    "zephyr",  "atlas",  "birch",  "copper", "dune",   "echo",   "flint",  "grove",  "haven",  "iris",
    "juniper", "kelp",   "lark",   "moss",   "nova",   "oak",    "pine",   "reef",
};
constexpr size_t kWordCount = std::size(kWords);
constexpr std::string_view kTopLevels[] = {"com", "net", "org", "de", "co.uk", "info", "nl", "se", "fr", "io"};
constexpr std::string_view kHostPrefixes[] = {"www.", "", "static.", "img.", "news."};
constexpr std::string_view kCookieNames[] = {"sid", "uid", "pref", "lang", "consent", "seen", "ab", "cart"};
constexpr int64_t kMaxAges[] = {0, 3600, 86400, 604800, 31536000};

struct ContentKind {
  std::string_view contentType;
  std::string_view suffix;  // "?": an .asp page with a query; "/": a folder address
  std::string_view magic;   // the first bytes of such a file
  int weight;
};

constexpr ContentKind kKinds[] = {
    {"text/html; charset=utf-8", ".html", "<!DOCTYPE html>\n<html><head><title>", 24},
    {"text/html", "?", "<!DOCTYPE html>\n<html><head><title>", 4},
    {"text/html; charset=utf-8", "/", "<!DOCTYPE html>\n<html><head><title>", 2},
    {"image/gif", ".gif", "GIF89a", 14},
    {"image/jpeg", ".jpg", "\xFF\xD8\xFF\xE0\x00\x10JFIF", 16},
    {"image/png", ".png", "\x89PNG\r\n\x1A\n", 10},
    {"text/css", ".css", "body { margin: 0; }\n", 7},
    {"application/x-javascript", ".js", "(function () {\n", 12},
    {"text/plain", ".txt", "", 4},
    {"application/octet-stream", ".bin", "\x7F\x01\x02\x03", 3},
    {"image/x-icon", ".ico", std::string_view("\x00\x00\x01\x00", 4), 2},
    {"application/json", ".json", "{\"items\": [", 2},
};

// splitmix64: a small generator whose sequence depends on its seed alone.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  uint64_t Below(uint64_t bound) { return Next() % bound; }
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  std::string_view Word() { return kWords[Below(kWordCount)]; }

 private:
  uint64_t state_;
};

std::string Base36(uint64_t n) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36]);
    n /= 36;
  } while (n);
  return digits;
}

// A site name for every number, different for different numbers.
std::string SiteName(uint64_t n) {
  uint64_t round = n / (kWordCount * kWordCount);
  return std::string(kWords[n % kWordCount]) + std::string(kWords[(n / kWordCount) % kWordCount]) +
         (round ? std::to_string(round) : "") + "." + std::string(kTopLevels[(n / 7) % std::size(kTopLevels)]);
}

std::string HostFor(Random& random, uint64_t n) {
  uint64_t host = random.Below(kBaseHosts + n / kItemsPerExtraHost);
  return std::string(kHostPrefixes[host % std::size(kHostPrefixes)]) + SiteName(host);
}

std::string FolderPath(Random& random) {
  std::string path = "/";
  for (uint64_t depth = random.Below(4); depth > 0; --depth) path += std::string(random.Word()) + "/";
  return path;
}

// Readable filler text, made once, from which page and file bodies are cut.
const std::string& Filler() {
  static const std::string text = [] {
    Random random(7);
    std::string words;
    while (words.size() < 64 * 1024) words += std::string(random.Word()) + (random.Below(12) ? " " : ".\n");
    return words;
  }();
  return text;
}

const ContentKind& PickKind(Random& random) {
  int total = 0;
  for (const ContentKind& kind : kKinds) total += kind.weight;
  int pick = static_cast<int>(random.Below(total));
  for (const ContentKind& kind : kKinds) {
    if (pick < kind.weight) return kind;
    pick -= kind.weight;
  }
  return kKinds[0];
}

// A moment in the last six months, recent ones more likely.
int64_t RecentTime(Random& random, int64_t now) {
  double u = random.Unit();
  return now - static_cast<int64_t>(u * u * 182 * kDay) - static_cast<int64_t>(random.Below(3600));
}

cache::NewEntry ContentItem(Random& random, uint64_t n, int64_t now) {
  const ContentKind& kind = PickKind(random);
  std::string url = "http://" + HostFor(random, n) + FolderPath(random) + std::string(random.Word()) + "-" + Base36(n);
  if (kind.suffix == "?")
    url += ".asp?id=" + std::to_string(n) + "&lang=en";
  else
    url += kind.suffix;

  size_t size = static_cast<size_t>(1024 * std::exp(random.Unit() * std::log(50.0)));
  cache::NewEntry entry;
  entry.url = std::move(url);
  entry.content = std::string(kind.magic).substr(0, size);
  entry.content += Filler().substr(random.Below(Filler().size() - size), size - entry.content.size());

  int64_t accessed = RecentTime(random, now);
  ResponseFacts facts;
  facts.contentType = kind.contentType;
  facts.contentLength = entry.content.size();
  facts.date = accessed;
  facts.lastModified = accessed - static_cast<int64_t>(random.Below(400 * kDay));
  facts.maxAgeSeconds = kMaxAges[random.Below(std::size(kMaxAges))];
  facts.etag = Base36(random.Next());
  entry.headers = ResponseHeaders(facts);
  entry.entryType = cache::NORMAL_CACHE_ENTRY | (random.Below(50) == 0 ? cache::STICKY_CACHE_ENTRY : 0);
  entry.lastModifiedTime = cache::FileTimeFromUnixSeconds(facts.lastModified);
  entry.lastAccessTime = entry.lastSyncTime = cache::FileTimeFromUnixSeconds(accessed);
  entry.expireTime = cache::FileTimeFromUnixSeconds(accessed + facts.maxAgeSeconds);
  entry.useCount = 1 + static_cast<uint32_t>(random.Below(20));
  return entry;
}

std::vector<cache::Cookie> CookieSiteItem(Random& random, uint64_t n, int64_t now) {
  std::vector<cache::Cookie> cookies(1 + random.Below(3));
  std::string domain = "." + SiteName(n);
  for (size_t i = 0; i < cookies.size(); ++i) {
    cache::Cookie& c = cookies[i];
    c.name = kCookieNames[(n + i) % std::size(kCookieNames)];
    c.value = Base36(random.Next()) + Base36(random.Next());
    c.domain = domain;
    c.creation = cache::FileTimeFromUnixSeconds(RecentTime(random, now));
    c.expiry =
        random.Below(4) ? cache::FileTimeFromUnixSeconds(now + static_cast<int64_t>(random.Below(400)) * kDay) : 0;
  }
  return cookies;
}

}  // namespace

SyntheticItem MakeSyntheticItem(uint64_t n, int64_t now) {
  Random random(n);
  SyntheticItem item;
  uint64_t roll = random.Below(100);
  if (roll < 2) {
    item.kind = SyntheticKind::CookieSite;
    item.cookies = CookieSiteItem(random, n, now);
  } else if (roll < 12) {
    item.kind = SyntheticKind::Visit;
    item.address =
        "http://" + HostFor(random, n) + FolderPath(random) + std::string(random.Word()) + "-" + Base36(n) + ".html";
    item.visitTime = cache::FileTimeFromUnixSeconds(RecentTime(random, now));
    item.visitCount = 1 + static_cast<uint32_t>(random.Below(30));
  } else {
    item.content = ContentItem(random, n, now);
  }
  return item;
}

uint32_t AddSyntheticEntries(cache::SqliteUrlCacheStore& store, uint64_t first, uint64_t count, int64_t now,
                             SynthSummary& summary) {
  summary = {};
  std::vector<cache::NewEntry> contents;
  std::vector<cache::Visit> visits;
  auto flush = [&] {
    uint32_t error = contents.empty() ? cache::STORE_OK : store.AddEntries(contents);
    if (error == cache::STORE_OK && !visits.empty()) error = store.RecordVisits(visits);
    if (error == cache::STORE_OK) {
      summary.content += contents.size();
      summary.visits += visits.size();
    }
    contents.clear();
    visits.clear();
    return error;
  };
  for (uint64_t n = first; n < first + count; ++n) {
    SyntheticItem item = MakeSyntheticItem(n, now);
    uint32_t error = cache::STORE_OK;
    switch (item.kind) {
      case SyntheticKind::Content:
        contents.push_back(std::move(item.content));
        break;
      case SyntheticKind::Visit:
        visits.push_back({std::move(item.address), item.visitTime, item.visitCount});
        break;
      case SyntheticKind::CookieSite:
        for (const cache::Cookie& cookie : item.cookies)
          if (error == cache::STORE_OK) error = store.SetCookie(cookie);
        summary.cookieSites += error == cache::STORE_OK;
        break;
    }
    if (error == cache::STORE_OK && contents.size() + visits.size() >= kBatch) error = flush();
    if (error != cache::STORE_OK) return error;
  }
  return flush();
}

}  // namespace vantry::storetool

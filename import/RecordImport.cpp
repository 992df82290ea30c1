#include "import/RecordImport.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "cache/store/CacheAccess.h"
#include "text/AsciiText.h"

namespace vantry::import {

void ImportVisits(std::vector<VisitRecord> visits, cache::UrlCacheStore& store, ImportSummary& summary) {
  std::map<std::string, VisitRecord> latest;
  for (VisitRecord& visit : visits) {
    if (visit.url.empty()) {
      ++summary.visitsSkipped["visit without an address"];
      continue;
    }
    // The store's keys are read as text: a NUL would show the visit as another address's.
    if (visit.url.find('\0') != std::string::npos) {
      ++summary.visitsSkipped["address with a NUL byte"];
      continue;
    }
    auto [found, added] = latest.emplace(visit.url, visit);
    if (!added && visit.lastVisit > found->second.lastVisit) found->second = std::move(visit);
  }
  for (const auto& [url, visit] : latest) {
    std::optional<cache::CacheEntry> stored = cache::LookupEntry(store, "Visited: @" + url);
    if (stored && stored->lastAccessTime == visit.lastVisit && stored->useCount == visit.visitCount) {
      ++summary.visitsUnchanged;
    } else if (store.RecordVisit(url, visit.lastVisit, visit.visitCount) == cache::STORE_OK) {
      ++summary.visitsImported;
    } else {
      ++summary.visitsSkipped[kStoreRefused];
    }
  }
}

void ImportCookies(std::vector<ImportedCookie> cookies, cache::UrlCacheStore& store, ImportSummary& summary) {
  std::stable_sort(cookies.begin(), cookies.end(), [](const ImportedCookie& a, const ImportedCookie& b) {
    return a.cookie.creation > b.cookie.creation;
  });
  using Identity = std::tuple<std::string, std::string, std::string>;
  std::map<Identity, bool> seen;
  for (const ImportedCookie& imported : cookies) {
    const cache::Cookie& c = imported.cookie;
    // The domain names the store's cookie entry: a NUL would show it as another site's.
    if (c.domain.find('\0') != std::string::npos) {
      ++summary.cookiesSkipped["domain with a NUL byte"];
      continue;
    }
    if (!seen.emplace(Identity{c.name, text::ToLowerAscii(c.domain), c.path}, true).second) {
      ++summary.cookiesInOtherPartitions;
      continue;
    }
    uint32_t result = store.SetCookie(c);
    if (result == cache::STORE_OK) {
      ++summary.cookiesImported;
      if (imported.needsKeyring) ++summary.cookiesWithoutValue;
    } else if (result == cache::ERROR_INVALID_PARAMETER) {
      ++summary.cookiesSkipped["line break in the cookie, or no domain, or a path not starting with /"];
    } else {
      ++summary.cookiesSkipped[kStoreRefused];
    }
  }
}

}  // namespace vantry::import

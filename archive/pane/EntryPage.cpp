#include "archive/pane/EntryPage.h"

#include <optional>
#include <string>
#include <vector>

#include "archive/pane/OfflineAddress.h"
#include "cache/store/CacheAccess.h"

namespace vantry::archive {

namespace {

constexpr std::string_view kHistoryPrefix = "Visited:";
constexpr std::string_view kCookiePrefix = "Cookie:";

// The text after the user name of a key "Prefix user@rest".
std::string_view AfterUser(std::string_view key, std::string_view prefix) {
  std::string_view rest = key.substr(prefix.size());
  size_t at = rest.find('@');
  return at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
}

// The addresses whose cached page an entry key stands for.
std::vector<std::string> PageAddresses(std::string_view key) {
  if (key.starts_with(kHistoryPrefix)) return {std::string(AfterUser(key, kHistoryPrefix))};
  std::string_view site = AfterUser(key, kCookiePrefix);
  if (site.empty()) return {};
  return {"https://" + std::string(site), "http://" + std::string(site)};
}

std::optional<cache::CurrentEntry> CachedPage(cache::UrlCacheStore& store, const std::string& address) {
  for (const std::string& key : StoreKeyCandidates(address)) {
    std::optional<cache::CacheEntry> found = cache::LookupEntry(store, key);
    if (found && cache::IsContentEntry(*found)) return cache::CurrentEntry{key, found->localFileName};
  }
  return std::nullopt;
}

}  // namespace

cache::CurrentEntry PageOfEntry(cache::UrlCacheStore& store, const cache::CurrentEntry& entry) {
  if (!entry.address.starts_with(kHistoryPrefix) && !entry.address.starts_with(kCookiePrefix)) return entry;
  for (const std::string& address : PageAddresses(entry.address))
    if (std::optional<cache::CurrentEntry> page = CachedPage(store, address)) return *page;
  return {};
}

}  // namespace vantry::archive

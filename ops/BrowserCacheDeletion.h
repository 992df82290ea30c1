#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::ops {

// The delete commands' way to delete entries: from the store, remembering of each entry
// imported from a browser's cache the file that holds it there, so that the user may
// remove the entries from that cache as well once the command has deleted them.
class BrowserCacheDeletion {
 public:
  explicit BrowserCacheDeletion(cache::UrlCacheStore& store) : store_(store) {}

  // Deletes `url`'s entry from the store; the store's result.
  uint32_t Delete(std::string_view url);

  // For each browser profile whose entries were deleted: when the browser has the
  // profile open, tells that they stay in its cache; otherwise asks once, naming the
  // browser and the profile, and removes their files from its cache, telling what could
  // not be removed. Entries without a file of their own (a blockfile cache's) are never
  // removed from it, and that is told. Forgets the entries afterwards.
  void OfferRemoval(archive::UserPrompt& prompt);

 private:
  // browser, profile name, profile folder
  using ProfileKey = std::tuple<std::string, std::string, std::string>;

  struct Deleted {
    std::vector<std::string> entryFiles;
    size_t withoutOwnFile = 0;
  };

  cache::UrlCacheStore& store_;
  std::map<ProfileKey, Deleted> deleted_;
};

}  // namespace vantry::ops

#include "ops/BrowserCacheDeletion.h"

#include "import/BrowserCacheFiles.h"

namespace vantry::ops {

namespace {

constexpr const char* kTitle = "Delete from browser cache";

// "the deleted entry" or "the 3 deleted entries".
std::string DeletedEntries(size_t count) {
  return count == 1 ? "the deleted entry" : "the " + std::to_string(count) + " deleted entries";
}

}  // namespace

uint32_t BrowserCacheDeletion::Delete(std::string_view url) {
  cache::EntryOrigin origin;
  bool removable =
      store_.GetEntryOrigin(url, origin) == cache::STORE_OK && import::EntryFileFamily(origin.entryFile).has_value();
  uint32_t result = store_.DeleteEntry(url);
  if (result == cache::STORE_OK && removable)
    entryFiles_[{origin.browser, origin.profile, origin.profileFolder}].push_back(std::move(origin.entryFile));
  return result;
}

void BrowserCacheDeletion::OfferRemoval(archive::UserPrompt& prompt) {
  for (const auto& [key, files] : entryFiles_) {
    const auto& [browser, profile, folder] = key;
    const std::string cacheName = "the cache of " + browser + ", profile \"" + profile + "\"";
    if (import::IsProfileInUse(*import::EntryFileFamily(files.front()), folder)) {
      std::string stay = files.size() == 1 ? " stays" : " stay";
      prompt.Tell(browser + " has the profile \"" + profile + "\" open: " + DeletedEntries(files.size()) + stay +
                      " in its cache.",
                  kTitle);
      continue;
    }
    if (!prompt.AskYesNo("Remove " + DeletedEntries(files.size()) + " from " + cacheName + " too?", kTitle)) continue;
    size_t failed = 0;
    for (const std::string& file : files) {
      import::EntryRemoval removal = import::RemoveBrowserCacheEntry(file);
      failed += removal == import::EntryRemoval::kRefused || removal == import::EntryRemoval::kFailed;
    }
    if (failed == 0) continue;
    std::string which = files.size() == 1
                            ? std::string("The deleted entry")
                            : std::to_string(failed) + " of the " + std::to_string(files.size()) + " deleted entries";
    prompt.Tell(which + " could not be removed from " + cacheName + ".", kTitle);
  }
  entryFiles_.clear();
}

}  // namespace vantry::ops

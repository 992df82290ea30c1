#include "ops/BrowserCacheDeletion.h"

#include <cctype>

#include "import/BrowserCacheFiles.h"

namespace vantry::ops {

namespace {

constexpr const char* kTitle = "Delete from browser cache";

// "the deleted entry" or "the 3 deleted entries".
std::string DeletedEntries(size_t count) {
  return count == 1 ? "the deleted entry" : "the " + std::to_string(count) + " deleted entries";
}

std::string Capitalized(std::string text) {
  text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace

uint32_t BrowserCacheDeletion::Delete(std::string_view url) {
  cache::EntryOrigin origin;
  bool imported = store_.GetEntryOrigin(url, origin) == cache::STORE_OK;
  uint32_t result = store_.DeleteEntry(url);
  if (result != cache::STORE_OK || !imported) return result;
  Deleted& deleted = deleted_[{origin.browser, origin.profile, origin.profileFolder}];
  if (import::EntryFileFamily(origin.entryFile))
    deleted.entryFiles.push_back(std::move(origin.entryFile));
  else
    ++deleted.withoutOwnFile;
  return result;
}

void BrowserCacheDeletion::OfferRemoval(archive::UserPrompt& prompt) {
  for (const auto& [key, deleted] : deleted_) {
    const auto& [browser, profile, folder] = key;
    const std::string cacheName = "the cache of " + browser + ", profile \"" + profile + "\"";
    if (deleted.withoutOwnFile > 0)
      prompt.Tell(Capitalized(DeletedEntries(deleted.withoutOwnFile)) + " cannot be removed from " + cacheName +
                      ": it keeps many entries in each of its files.",
                  kTitle);
    const std::vector<std::string>& files = deleted.entryFiles;
    if (files.empty()) continue;
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
  deleted_.clear();
}

}  // namespace vantry::ops

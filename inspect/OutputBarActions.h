#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cache/store/CacheEntry.h"
#include "inspect/Notice.h"

namespace vantry::inspect {

// What opening a search result needs from the rest of the program; the main window
// implements it.
class OutputBarActions {
 public:
  virtual ~OutputBarActions() = default;
  // Path of the store's content folder; a hit in a cached file begins with it.
  virtual std::string ContentFolder() const = 0;
  // Shows a local file (or an address) in the HTML pane.
  virtual void ShowInHtmlPane(std::string_view pathOrAddress) = 0;
  // The address of the cache entry whose local file is `path`, ignoring case, or "".
  virtual std::string FindAddressOfLocalFile(std::string_view path) = 0;
  // The entry whose key is exactly `key`, or nothing.
  virtual std::optional<cache::CacheEntry> LookupEntry(std::string_view key) = 0;
  // Puts `text` into the address box.
  virtual void SetAddress(std::string_view text) = 0;
};

// Opens the search-result line `line`: a hit in a cached file shows that file and its
// entry's address; any other line is taken as a cache key up to its first colon.
// Returns the notices to show ("Cache Entry not found!" when the key is unknown).
Notices OpenSearchResult(std::string_view line, OutputBarActions& actions);

}  // namespace vantry::inspect

#pragma once

#include <string_view>

#include "cache/services/CurrentEntry.h"
#include "cache/store/CacheEntry.h"
#include "cache/store/CacheStatistics.h"

namespace vantry::cache {

// The panes that show the selected entry, as the list tabs reach them. The main
// window implements it over the HTML pane, the output bar and the memory bar.
class EntryPanes {
 public:
  virtual ~EntryPanes() = default;
  // The HTML pane shows `current`, by its address or by its local file as the pane's
  // local-view flag decides.
  virtual void ShowCurrentEntry(const CurrentEntry& current) = 0;
  // The output bar's "CacheEntry" page.
  virtual void ShowEntryProperties(const CacheEntry& entry) = 0;
  // The output bar's statistics page.
  virtual void ShowStatistics(const CacheStatistics& statistics) = 0;
  // The output bar's "Cookie" page, the text split into its parts.
  virtual void ShowCookieText(std::string_view text) = 0;
  // The memory bar's hex view; no bytes clears it.
  virtual void ShowCookieBytes(std::string_view bytes) = 0;
  // The memory bar's hex view: the start of the entry's cached file at `path`.
  virtual void ShowEntryFile(std::string_view path) = 0;
  // Decodes the records of a cookie file into the output bar's "Cookie" page.
  virtual void DecodeCookieFile(std::string_view bytes) = 0;
};

}  // namespace vantry::cache

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "archive/UserPrompt.h"
#include "cache/services/EntryPanes.h"
#include "cache/store/UrlCacheStore.h"
#include "inspect/OutputBarActions.h"

namespace vantry::inspect {
class CMemoryBar;
}
namespace vantry::inspect {
class COutputBar;
}
namespace vantry::cache {
class FrameServices;
}
namespace vantry::archive {
class HtmlPane;
}

namespace vantry::app {

// The frame's panes as the list tabs and the output bar reach them: the HTML pane, the
// output bar and the memory bar. What the panes say about the entry on show (that a page
// holds more than it once did) goes to the status bar, one line per entry.
class FramePanes : public cache::EntryPanes, public inspect::OutputBarActions {
 public:
  // `showEntry` makes an entry the frame's current one and shows it in the HTML pane.
  FramePanes(cache::UrlCacheStore& store, cache::FrameServices& frame, archive::HtmlPane& pane,
             archive::UserPrompt& prompt, std::function<void(const cache::CurrentEntry&)> showEntry);

  // The bars the panes fill; both live in the frame's docks.
  void SetBars(inspect::COutputBar* output, inspect::CMemoryBar* memory);

  // EntryPanes
  void ShowCurrentEntry(const cache::CurrentEntry& current) override;
  void ShowEntryProperties(const cache::CacheEntry& entry) override;
  void ShowStatistics(const cache::CacheStatistics& statistics) override;
  void ShowCookieText(std::string_view text) override;
  void ShowCookieBytes(std::string_view bytes) override;
  void ShowEntryFile(std::string_view path) override;
  void DecodeCookieFile(std::string_view bytes) override;

  // OutputBarActions
  std::string ContentFolder() const override;
  void ShowInHtmlPane(std::string_view pathOrAddress) override;
  std::string FindAddressOfLocalFile(std::string_view path) override;
  std::optional<cache::CacheEntry> LookupEntry(std::string_view key) override;
  void SetAddress(std::string_view text) override;

 private:
  // Adds `note` to the status bar's line for the entry on show.
  void Note(const std::string& note);

  cache::UrlCacheStore& store_;
  cache::FrameServices& frame_;
  archive::HtmlPane& pane_;
  archive::UserPrompt& prompt_;
  std::function<void(const cache::CurrentEntry&)> showEntry_;
  inspect::COutputBar* output_ = nullptr;
  inspect::CMemoryBar* memory_ = nullptr;
  std::string notes_;
};

}  // namespace vantry::app

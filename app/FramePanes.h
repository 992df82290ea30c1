#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cache/services/EntryPanes.h"
#include "inspect/OutputBarActions.h"
#include "cache/store/UrlCacheStore.h"
#include "ops/UserPrompt.h"

class CMemoryBar;
class COutputBar;
class FrameServices;
class HtmlPane;

// The frame's panes as the list tabs and the output bar reach them: the HTML pane, the
// output bar and the memory bar, with message boxes for what is told.
class FramePanes : public EntryPanes, public OutputBarActions {
 public:
  // `showEntry` makes an entry the frame's current one and shows it in the HTML pane.
  FramePanes(UrlCacheStore& store, FrameServices& frame, HtmlPane& pane, vantry::UserPrompt& prompt,
             std::function<void(const CurrentEntry&)> showEntry);

  // The bars the panes fill; both live in the frame's docks.
  void SetBars(COutputBar* output, CMemoryBar* memory);

  // EntryPanes
  void ShowCurrentEntry(const CurrentEntry& current) override;
  void ShowEntryProperties(const CacheEntry& entry) override;
  void ShowStatistics(const CacheStatistics& statistics) override;
  void ShowCookieText(std::string_view text) override;
  void ShowCookieBytes(std::string_view bytes) override;
  void DecodeCookieFile(std::string_view bytes) override;
  void Tell(std::string_view text, std::string_view title) override;

  // OutputBarActions
  std::string ContentFolder() const override;
  void ShowInHtmlPane(std::string_view pathOrAddress) override;
  std::string FindAddressOfLocalFile(std::string_view path) override;
  std::optional<CacheEntry> LookupEntry(std::string_view key) override;
  void SetAddress(std::string_view text) override;

 private:
  UrlCacheStore& store_;
  FrameServices& frame_;
  HtmlPane& pane_;
  vantry::UserPrompt& prompt_;
  std::function<void(const CurrentEntry&)> showEntry_;
  COutputBar* output_ = nullptr;
  CMemoryBar* memory_ = nullptr;
};

#include "app/FramePanes.h"

#include "archive/pane/HtmlPane.h"
#include "cache/services/FrameServices.h"
#include "cache/store/CacheAccess.h"
#include "cache/store/StatisticsText.h"
#include "inspect/EntryProperties.h"
#include "inspect/widgets/CMemoryBar.h"
#include "inspect/widgets/COutputBar.h"
#include "ops/TextSearch.h"

namespace vantry::app {

FramePanes::FramePanes(cache::UrlCacheStore& store, cache::FrameServices& frame, archive::HtmlPane& pane,
                       archive::UserPrompt& prompt, std::function<void(const cache::CurrentEntry&)> showEntry)
    : store_(store), frame_(frame), pane_(pane), prompt_(prompt), showEntry_(std::move(showEntry)) {}

void FramePanes::SetBars(inspect::COutputBar* output, inspect::CMemoryBar* memory) {
  output_ = output;
  memory_ = memory;
}

void FramePanes::ShowCurrentEntry(const cache::CurrentEntry& current) { showEntry_(current); }

void FramePanes::ShowEntryProperties(const cache::CacheEntry& entry) {
  output_->ShowEntryProperties(entry);
  if (cache::EntryOrigin origin; store_.GetEntryOrigin(entry.sourceUrl, origin) == cache::STORE_OK)
    output_->AddPageLines(inspect::COutputBar::kCacheEntryPage, inspect::EntryOriginLines(origin));
}

void FramePanes::ShowStatistics(const cache::CacheStatistics& statistics) {
  output_->ShowStatistics(cache::StatisticsLines(statistics));
}

void FramePanes::ShowCookieText(std::string_view text) { output_->ShowCookieText(text); }

void FramePanes::ShowCookieBytes(std::string_view bytes) {
  memory_->ShowBytes(static_cast<int>(bytes.size()), bytes.empty() ? nullptr : bytes.data());
}

void FramePanes::DecodeCookieFile(std::string_view bytes) {
  output_->DecodeCookieFile(static_cast<int>(bytes.size()), bytes.data());
}

void FramePanes::Tell(std::string_view text, std::string_view title) {
  prompt_.Tell(std::string(text), std::string(title));
}

std::string FramePanes::ContentFolder() const { return store_.ContentFolder().string(); }

void FramePanes::ShowInHtmlPane(std::string_view pathOrAddress) { pane_.ShowAddress(pathOrAddress); }

std::string FramePanes::FindAddressOfLocalFile(std::string_view path) {
  return ops::FindAddressOfLocalFile(store_, path, prompt_);
}

std::optional<cache::CacheEntry> FramePanes::LookupEntry(std::string_view key) {
  return cache::LookupEntry(store_, key);
}

void FramePanes::SetAddress(std::string_view text) { frame_.SetAddress(text); }

}  // namespace vantry::app

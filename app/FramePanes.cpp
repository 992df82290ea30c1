#include "app/FramePanes.h"

#include "inspect/widgets/CMemoryBar.h"
#include "inspect/widgets/COutputBar.h"
#include "cache/store/CacheAccess.h"
#include "cache/services/FrameServices.h"
#include "archive/pane/HtmlPane.h"
#include "cache/store/StatisticsText.h"
#include "ops/TextSearch.h"

FramePanes::FramePanes(UrlCacheStore& store, FrameServices& frame, HtmlPane& pane, vantry::UserPrompt& prompt,
                       std::function<void(const CurrentEntry&)> showEntry)
    : store_(store), frame_(frame), pane_(pane), prompt_(prompt), showEntry_(std::move(showEntry)) {}

void FramePanes::SetBars(COutputBar* output, CMemoryBar* memory) {
  output_ = output;
  memory_ = memory;
}

void FramePanes::ShowCurrentEntry(const CurrentEntry& current) { showEntry_(current); }

void FramePanes::ShowEntryProperties(const CacheEntry& entry) { output_->ShowEntryProperties(entry); }

void FramePanes::ShowStatistics(const CacheStatistics& statistics) {
  output_->ShowStatistics(StatisticsLines(statistics));
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
  return vantry::FindAddressOfLocalFile(store_, path, prompt_);
}

std::optional<CacheEntry> FramePanes::LookupEntry(std::string_view key) { return ::LookupEntry(store_, key); }

void FramePanes::SetAddress(std::string_view text) { frame_.SetAddress(text); }

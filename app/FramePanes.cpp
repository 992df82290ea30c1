#include "app/FramePanes.h"

#include <filesystem>
#include <system_error>

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
  output_->SetNoteSink([this](const std::string& note) { Note(note); });
}

// Every entry shown starts a new line of notes; the last entry's notes go.
void FramePanes::ShowCurrentEntry(const cache::CurrentEntry& current) {
  if (!notes_.empty()) {
    notes_.clear();
    frame_.SetStatusText("Ready");
  }
  showEntry_(current);
}

void FramePanes::Note(const std::string& note) {
  notes_ += (notes_.empty() ? "" : "; ") + note;
  frame_.SetStatusText(notes_);
}

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

void FramePanes::ShowEntryFile(std::string_view path) {
  const std::string file(path);
  memory_->ShowFile(file);
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size > inspect::CMemoryBar::kFileStartShown)
    Note("Memory shows the first " + std::to_string(inspect::CMemoryBar::kFileStartShown) + " of " +
         std::to_string(size) + " bytes");
}

void FramePanes::DecodeCookieFile(std::string_view bytes) {
  output_->DecodeCookieFile(static_cast<int>(bytes.size()), bytes.data());
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

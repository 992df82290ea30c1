#include "cache/lists/SelectionStep.h"

#include <fstream>
#include <optional>
#include <string>

#include "cache/store/CacheAccess.h"

namespace vantry::cache {

namespace {

// The first bytes of a file, up to `limit`; nothing when it cannot be opened.
std::optional<std::string> ReadFileStart(const std::string& path, size_t limit) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes(limit, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<size_t>(file.gcount()));
  return bytes;
}

void DecodeCookieFileOf(const CacheEntry& entry, EntryPanes& panes) {
  std::optional<std::string> bytes = ReadFileStart(entry.localFileName, kCookieFileReadLimit);
  if (!bytes) return;
  if (bytes->size() > kCookieFileWarnAbove) panes.Tell("What the hell is this? Cookie much too big!!!", "Read Cookie");
  panes.DecodeCookieFile(*bytes);
}

}  // namespace

void RunSelectionStep(const ListTabContext& context, std::string_view itemText, CookieFileStep cookieFile) {
  context.current.address = std::string(itemText);
  context.frame.SetAddress(itemText);

  std::optional<CacheEntry> entry = LookupEntry(context.store, itemText);
  if (entry) context.current.localFileName = entry->headerInfoSize() == 0 ? "None" : entry->localFileName;

  GoOffline(context.store);
  context.panes.ShowCurrentEntry(context.current);

  if (entry) {
    context.request.mode = SearchRequest::kNone;
    context.panes.ShowEntryProperties(*entry);
  }

  if (std::optional<std::string> cookies = GetCookieText(context.store, itemText)) {
    context.panes.ShowCookieBytes(*cookies);
    context.panes.ShowCookieText(*cookies);
  } else {
    context.panes.ShowCookieBytes({});
  }

  // The entry's own file, not the "None" shown for entries without headers, and only
  // when the lookup found it: a stale name would decode another site's cookies.
  if (cookieFile == CookieFileStep::Decode && entry && itemText.starts_with("Cookie:"))
    DecodeCookieFileOf(*entry, context.panes);
}

}  // namespace vantry::cache

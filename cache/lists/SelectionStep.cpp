#include "cache/lists/SelectionStep.h"

#include "cache/store/CacheAccess.h"
#include "files/WholeFile.h"

namespace vantry::cache {

namespace {

void DecodeCookieFileOf(const CacheEntry& entry, EntryPanes& panes) {
  if (std::optional<std::string> bytes = files::ReadFileStart(entry.localFileName, kCookieFileReadLimit))
    panes.DecodeCookieFile(*bytes);
}

}  // namespace

void ShowEntryBytes(EntryPanes& panes, const std::optional<std::string>& cookieText, const CacheEntry* entry) {
  if (cookieText)
    panes.ShowCookieBytes(*cookieText);
  else if (entry != nullptr && !entry->localFileName.empty())
    panes.ShowEntryFile(entry->localFileName);
  else
    panes.ShowCookieBytes({});
}

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

  std::optional<std::string> cookies = GetCookieText(context.store, itemText);
  ShowEntryBytes(context.panes, cookies, entry ? &*entry : nullptr);
  if (cookies) context.panes.ShowCookieText(*cookies);

  // The entry's own file, not the "None" shown for entries without headers, and only
  // when the lookup found it: a stale name would decode another site's cookies.
  if (cookieFile == CookieFileStep::Decode && entry && itemText.starts_with("Cookie:"))
    DecodeCookieFileOf(*entry, context.panes);
}

}  // namespace vantry::cache

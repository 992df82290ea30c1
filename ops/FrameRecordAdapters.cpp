#include "ops/FrameRecordAdapters.h"

#include "cache/lists/AddressRequest.h"
#include "cache/lists/SelectionStep.h"
#include "cache/lists/ShowMask.h"

namespace vantry::ops {

// The find command and the list fill use the same mode and mask bits.
static_assert(kRequestEverything == cache::SearchRequest::kEverything &&
              kRequestSubstring == cache::SearchRequest::kSubstring &&
              kRequestBefore == cache::SearchRequest::kDateBefore &&
              kRequestLaterThan == cache::SearchRequest::kDateLater &&
              kRequestExactlyAt == cache::SearchRequest::kDateExactly &&
              kRequestBetween == cache::SearchRequest::kDateBetween);
EntrySelection SelectionOf(const cache::CurrentEntry& current) { return {current.address, current.localFileName}; }

void KeepSelection(const EntrySelection& selection, cache::CurrentEntry& current) {
  if (current.address == selection.address) current.localFileName = selection.localFileName;
}

void RecordsFindTarget::SetRequestMode(int mode) { r_.request.mode = static_cast<uint32_t>(mode); }

void RecordsFindTarget::RequestSubstring(std::string_view text) {
  r_.request.substring = std::string(text);
  r_.request.mode = cache::SearchRequest::kSubstring;
}

void RecordsFindTarget::RequestWildcard(std::string_view text) { cache::ParseAddressRequest(text, r_.request); }

void RecordsFindTarget::RequestDate(int mode, const dates::CalendarDate& date) {
  r_.request.searchDate = date;
  r_.request.mode = static_cast<uint32_t>(mode);
}

void RecordsFindTarget::RequestDateRange(const dates::CalendarDate& from, const dates::CalendarDate& to) {
  r_.request.fromDate = from;
  r_.request.toDate = to;
  r_.request.mode = cache::SearchRequest::kDateBetween;
}

void RecordsFindTarget::SetShowMask(uint32_t mask) { r_.showMask.bits = mask; }

// As a selection in a list shows an entry. Without a cache entry there is no local file:
// the previous entry's name must not travel with the new address.
void RecordsFindTarget::ShowOpenedAddress(const OpenedAddress& opened) {
  r_.current.address = opened.address;
  r_.current.localFileName.clear();
  if (opened.entry)
    r_.current.localFileName = opened.entry->headerInfoSize() == 0 ? "None" : opened.entry->localFileName;
  r_.frame.SetAddress(opened.address);
  r_.panes.ShowCurrentEntry(r_.current);
  if (opened.entry) r_.panes.ShowEntryProperties(*opened.entry);
  if (!opened.isHttp) return;
  cache::ShowEntryBytes(r_.panes, opened.cookieText, opened.entry ? &*opened.entry : nullptr);
  if (opened.cookieText) r_.panes.ShowCookieText(*opened.cookieText);
}

void RecordsFindTarget::ExpandForFind() {
  if (expand_) expand_();
}

}  // namespace vantry::ops

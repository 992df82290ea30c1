#pragma once

#include <functional>

#include "cache/lists/SearchRequest.h"
#include "cache/lists/ShowMask.h"
#include "cache/services/EntryPanes.h"
#include "cache/services/FrameServices.h"
#include "ops/CommandServices.h"
#include "ops/FindCommands.h"

// The commands' view of the frame's process-wide records: the search request, the show
// mask and the current entry.
namespace vantry::ops {

// The current entry as the commands act on it.
EntrySelection SelectionOf(const cache::CurrentEntry& current);
// Takes back what a command changed in the selection (the sticky command refreshes the
// local file name) when the current entry is still the same address.
void KeepSelection(const EntrySelection& selection, cache::CurrentEntry& current);

// "Find file(s) in Cache" writing into the frame's records. Expanding the AlphaSort list
// for the find is the list's own work, reached through `expandAlphaSortForFind`.
class RecordsFindTarget : public FindTarget {
 public:
  struct Records {
    cache::SearchRequest& request;
    cache::ShowMask& showMask;
    cache::CurrentEntry& current;
    cache::FrameServices& frame;
    cache::EntryPanes& panes;
  };
  RecordsFindTarget(Records records, std::function<void()> expandAlphaSortForFind)
      : r_(records), expand_(std::move(expandAlphaSortForFind)) {}

  void SetRequestMode(int mode) override;
  void RequestSubstring(std::string_view text) override;
  void RequestWildcard(std::string_view text) override;
  void RequestDate(int mode, const dates::CalendarDate& date) override;
  void RequestDateRange(const dates::CalendarDate& from, const dates::CalendarDate& to) override;
  void SetShowMask(uint32_t mask) override;
  void ShowOpenedAddress(const OpenedAddress& opened) override;
  void ExpandForFind() override;

 private:
  Records r_;
  std::function<void()> expand_;
};

}  // namespace vantry::ops

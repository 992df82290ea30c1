#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cache/lists/SearchRequest.h"
#include "cache/lists/ShowMask.h"
#include "cache/store/CacheAccess.h"
#include "cache/store/CacheStatistics.h"
#include "cache/store/WorkProgress.h"

namespace vantry::cache {

class EntryPanes;
class FrameServices;

// How a list fill ended and what its walk counted.
struct FillResult {
  WalkResult walk = WalkResult::Normal;
  CacheStatistics statistics;
};

// Called once after every 200th entry of a walk, to step the progress bar.
using ProgressStep = std::function<void()>;

// Counts the entries of a walk, steps the progress after every 200th one and tells `work` of
// each, whose user may stop the walk.
class ProgressTicker {
 public:
  ProgressTicker(const ProgressStep& step, WorkProgress& work) : step_(step), work_(work) {}
  // False once the user asked to stop.
  bool Entry() {
    if (++entries_ % kEntriesPerStep == 0 && step_) step_();
    return work_.Advance(entries_, 0);
  }

 private:
  static constexpr unsigned kEntriesPerStep = 200;
  const ProgressStep& step_;
  WorkProgress& work_;
  uint64_t entries_ = 0;
};

// The fills below end early, with WalkResult::Stopped, when the user stops `work`.

// The access-order list: every entry's URL, in the store's order, tallied by variant A.
FillResult FillAccessList(UrlCacheStore& store, uint32_t clusterSize, std::vector<std::string>& leaves,
                          const ProgressStep& stepProgress, WorkProgress& work);

// Which rules the alphabetical list fills by: before any Find (B) or after one (C).
enum class AlphaFill { BeforeFind, AfterFind };

// The alphabetical list's leaves in the store's order: entries with headers that match
// the request (and, after a Find, the show mask). History entries are left out except
// by the date requests and, after a Find, by the empty request.
FillResult FillAlphaList(UrlCacheStore& store, uint32_t clusterSize, AlphaFill rules, const SearchRequest& request,
                         const ShowMask& mask, std::vector<std::string>& leaves, const ProgressStep& stepProgress,
                         WorkProgress& work);

// Sorts list texts the way the tree sorts one level: ignoring ASCII case, ties by bytes.
void SortListTexts(std::vector<std::string>& texts);

// After a normal end, hands the statistics to the output bar and copies them into the
// frame; after a failed or stopped walk publishes nothing, so the last complete figures stay.
void PublishFillStatistics(const FillResult& fill, FrameServices& frame, EntryPanes& panes);

}  // namespace vantry::cache

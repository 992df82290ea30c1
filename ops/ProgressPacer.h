#pragma once

#include <memory>
#include <string_view>

#include "cache/services/FrameServices.h"

namespace vantry::ops {

inline constexpr unsigned kEntriesPerProgressStep = 200;

// Follows a walk of the store for the user while it lives: steps the status bar's progress bar
// once for every 200 entries the walk counts, and reports every entry to the frame's progress
// of the work, whose user may stop the walk. Some walks count the first entry they see, others
// only the ones after it.
class ProgressPacer {
 public:
  enum class First { Counted, Skipped };
  ProgressPacer(cache::FrameServices& frame, First first, std::string_view what)
      : frame_(frame), work_(frame.BeginWork(what)), skipNext_(first == First::Skipped) {}

  // Counts one entry; false once the user asked to stop the walk.
  bool Count() {
    ++seen_;
    if (skipNext_)
      skipNext_ = false;
    else if (++counted_ % kEntriesPerProgressStep == 0)
      frame_.StepProgress();
    return work_->Advance(seen_, 0);
  }

 private:
  cache::FrameServices& frame_;
  std::unique_ptr<cache::WorkProgress> work_;
  bool skipNext_;
  unsigned counted_ = 0;
  uint64_t seen_ = 0;
};

}  // namespace vantry::ops

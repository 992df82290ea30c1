#pragma once

#include "cache/services/FrameServices.h"

namespace vantry::ops {

inline constexpr unsigned kEntriesPerProgressStep = 200;

// Steps the status bar's progress bar once for every 200 entries a walk counts.
// Some walks count the first entry they see, others only the ones after it.
class ProgressPacer {
 public:
  enum class First { Counted, Skipped };
  ProgressPacer(cache::FrameServices& frame, First first) : frame_(frame), skipNext_(first == First::Skipped) {}

  void Count() {
    if (skipNext_) {
      skipNext_ = false;
      return;
    }
    if (++counted_ % kEntriesPerProgressStep == 0) frame_.StepProgress();
  }

 private:
  cache::FrameServices& frame_;
  bool skipNext_;
  unsigned counted_ = 0;
};

}  // namespace vantry::ops

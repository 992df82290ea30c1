#pragma once

#include <cstddef>
#include <string>

namespace vantry::ops {

// What a copy into a folder did.
struct CopyOutcome {
  bool completed = false;  // it ran to its end, neither stopped by the user nor broken off
  size_t copied = 0;       // files written to the folder
};

// What the status bar says after a copy: how many files went where, and whether the copy was
// stopped before the end.
std::string CopySummary(const CopyOutcome& outcome, const std::string& folder);

}  // namespace vantry::ops

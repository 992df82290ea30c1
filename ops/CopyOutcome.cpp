#include "ops/CopyOutcome.h"

namespace vantry::ops {

std::string CopySummary(const CopyOutcome& outcome, const std::string& folder) {
  const std::string files = std::to_string(outcome.copied) + (outcome.copied == 1 ? " file" : " files");
  return (outcome.completed ? "Copied " : "Copy stopped: copied ") + files + " to " + folder;
}

}  // namespace vantry::ops

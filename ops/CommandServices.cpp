#include "ops/CommandServices.h"

#include <cstdlib>

#include "ops/OpsSettings.h"

namespace vantry::ops {

void ResetThreeLists(ListResets& lists) {
  lists.ResetAlphaSort();
  lists.ResetAccessSort();
  lists.ResetHistory();
}

bool HasSelection(const EntrySelection& selection, archive::UserPrompt& prompt) {
  if (!selection.address.empty() && !selection.localFileName.empty()) return true;
  prompt.Tell("Nothing to copy!", "No Selection");
  return false;
}

std::string DefaultCopyDirectory() {
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/cache";
}

}  // namespace vantry::ops

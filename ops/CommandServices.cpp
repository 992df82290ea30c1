#include "ops/CommandServices.h"

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

}  // namespace vantry::ops

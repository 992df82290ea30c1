#include "ops/CommandServices.h"

#include <cstdlib>

#include "ops/OpsSettings.h"

namespace vantry {

void ResetThreeLists(ListResets& lists) {
  lists.ResetAlphaSort();
  lists.ResetAccessSort();
  lists.ResetHistory();
}

std::string DefaultCopyDirectory() {
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/cache";
}

}  // namespace vantry

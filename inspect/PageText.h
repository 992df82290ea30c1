#pragma once

#include <string>
#include <vector>

namespace vantry::inspect {

// The lines of an output page and, where they run past what the page once held (eight header
// lines, eight cookies, four cookie parts), one sentence that says so without interrupting.
struct PageText {
  std::vector<std::string> lines;
  std::string note;  // empty within the old limits
};

}  // namespace vantry::inspect

#pragma once

#include <string>
#include <vector>

namespace vantry::inspect {

// A message for the user that a decoder or an action produced; the window layer shows
// each one as a modal box with an OK button, in order.
struct Notice {
  std::string text;
  std::string caption;
  bool operator==(const Notice&) const = default;
};

using Notices = std::vector<Notice>;

}  // namespace vantry::inspect

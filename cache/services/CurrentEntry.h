#pragma once

#include <string>

namespace vantry::cache {

// The address of the entry last selected in any list, and its local file name
// ("None" for an entry without stored headers). The HTML pane shows it by either.
struct CurrentEntry {
  std::string address;
  std::string localFileName;
  bool operator==(const CurrentEntry&) const = default;
};

}  // namespace vantry::cache

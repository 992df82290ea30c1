#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantry::storetool {

// One recorded visit of the demo history.
struct DemoVisit {
  std::string address;
  int64_t when = 0;  // Unix seconds, never after `now`
  uint32_t visitCount = 1;
};

// Visits spread from `now` back over six months in local time: several today, one on each
// day of the last week, then one every third day, so that every age folder of the history
// tree that some calendar date can reach gets visits. `pages` are visited first (most
// recent days); older days visit archive pages.
std::vector<DemoVisit> DemoVisits(int64_t now, const std::vector<std::string>& pages);

}  // namespace vantry::storetool

#pragma once

#include <string>
#include <string_view>

namespace vantry::ops {

// A history entry's key: "Visited: @" (an empty user name) followed by the page address.
inline constexpr std::string_view kHistoryKeyPrefix = "Visited: @";

inline std::string HistoryKeyOf(std::string_view address) {
  return std::string(kHistoryKeyPrefix) + std::string(address);
}

}  // namespace vantry::ops

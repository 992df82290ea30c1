#pragma once

#include <string>
#include <string_view>

namespace vantry {

// The host of an address of the form scheme://[user@]host[:port][/object], or an empty
// text when the address does not split that way.
std::string ServerNameOf(std::string_view address);

}  // namespace vantry

#pragma once

#include <string_view>

#include "cache/lists/SearchRequest.h"

namespace vantry::cache {

// Turns the text of the address box into a request: "*.*" lists everything, a text
// without "*" is a substring, anything else is a name/extension wildcard. Texts of
// earlier requests that this one does not set keep their values.
void ParseAddressRequest(std::string_view text, SearchRequest& request);

}  // namespace vantry::cache

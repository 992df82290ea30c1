#pragma once

#include <cstdint>
#include <string_view>

namespace vantry::import {

// Paul Hsieh's SuperFastHash as Chromium's disk caches store it: over a blockfile
// entry's key and over the first part of its records (trailing bytes read as signed).
uint32_t SuperFastHash(std::string_view bytes);

}  // namespace vantry::import

#pragma once

#include <cstdint>
#include <string_view>

namespace vantry::import {

// Bob Jenkins' lookup2 hash with initial value 0, as the Firefox disk cache stores it
// over an entry's metadata (all 32 bits) and over each 256 KiB body chunk (low 16 bits).
uint32_t Lookup2Hash(std::string_view bytes);

}  // namespace vantry::import

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantry::import {

// Bodies decoded above this size are refused, so a small bomb cannot fill the disk.
inline constexpr uint64_t kMaxDecodedBodySize = 1ULL << 30;

// Whether a Content-Encoding value asks for any decoding ("identity" and "" do not).
bool HasContentCoding(std::string_view contentEncoding);

// The body with the codings of a Content-Encoding value undone, last applied first:
// gzip (x-gzip), deflate (zlib-wrapped or raw), br, zstd, identity.
// Nothing when a coding is unknown or the data is damaged or too large.
std::optional<std::string> DecodeContent(std::string_view contentEncoding, std::string_view body);

}  // namespace vantry::import

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "import/ByteSource.h"

namespace vantry::import {

// The parts of a Simple Cache entry file (<16 hex>_0), little-endian: a header and the
// key, stream 1 (the body) and its end record, stream 0, an optional key SHA-256 and
// the last end record. 64-bit builds pad the header and the end records to 24 bytes;
// 32-bit x86 builds wrote them unpadded, 20 bytes each.
struct SimpleCacheStreams {
  std::string key;
  uint64_t bodyOffset = 0;
  uint64_t bodySize = 0;
  std::optional<uint32_t> bodyCrc32;
  std::string stream0;  // checked against its CRC-32 where the file stores one
  std::string problem;  // why the file does not read; then nothing else is set
};

// Reads the key and stream 0 and finds the body; the body stays in the file.
SimpleCacheStreams ReadSimpleCacheStreams(const ByteSource& file);

}  // namespace vantry::import

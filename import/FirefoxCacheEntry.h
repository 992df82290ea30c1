#pragma once

#include "import/ByteSource.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

// Size of the body chunks whose hashes a Firefox entry file stores.
inline constexpr uint64_t kFirefoxChunkSize = 256 * 1024;

// Reads the metadata of a Firefox disk cache entry file (cache2/entries/<SHA-1>):
// body, metadata hash, chunk hashes, eight header words, key, name/value elements,
// then the offset word (Firefox 153 puts the entry version before it). Leaves the body
// in the file; a file whose metadata does not check out is reported, never trusted.
ParsedEntry ParseFirefoxCacheEntry(const ByteSource& file);

}  // namespace vantry::import

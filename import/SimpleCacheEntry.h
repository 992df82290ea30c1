#pragma once

#include "import/ByteSource.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

// Reads a Chromium Simple Cache entry file (Cache_Data/<16 hex>_0), little-endian:
// a 24-byte header and the key, the body (stream 1) and its end record, then the
// pickled response info (stream 0), an optional key SHA-256 and the last end record.
// Only the response info up to the header block is read; the body stays in the file.
ParsedEntry ParseSimpleCacheEntry(const ByteSource& file);

}  // namespace vantry::import

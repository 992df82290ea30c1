#pragma once

#include "import/ByteSource.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

// Reads a Chromium Simple Cache entry file of the HTTP cache (Cache_Data/<16 hex>_0):
// the key, the pickled response info (stream 0) up to its header block, and where the
// body (stream 1) is; the body stays in the file.
ParsedEntry ParseSimpleCacheEntry(const ByteSource& file);

}  // namespace vantry::import

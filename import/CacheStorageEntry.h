#pragma once

#include "import/ByteSource.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

// Reads an entry file of a Service Worker cache (Service Worker/CacheStorage/<origin
// hash>/<cache id>/<16 hex>_0): a Simple Cache entry whose key is the request's URL and
// whose stream 0 is a serialized protocol buffer record of the request and the response
// (status, headers, response time) instead of a pickle. The body (stream 1) is stored
// as the page received it, already free of its Content-Encoding.
ParsedEntry ParseCacheStorageEntry(const ByteSource& file);

}  // namespace vantry::import

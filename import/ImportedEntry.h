#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cache/store/CacheEntry.h"

namespace vantry::import {

// One cached response as a browser format holds it, before it goes into the store.
// Parsers of entry files fill everything but the body, which stays in the file at
// bodyOffset/bodySize until it is needed; the HTTP archive reader fills `body` itself.
struct ImportedEntry {
  std::string url;      // without the browser's partition and flag prefixes
  std::string headers;  // status line and response headers, CRLF lines, then an empty line
  uint32_t fetchCount = 1;
  cache::FileTime lastFetched = 0;
  cache::FileTime lastModified = 0;
  cache::FileTime expires = 0;
  cache::FileTime responseTime = 0;
  std::string method = "GET";  // the request's method; only GET responses are imported
  std::string entryFile;       // the browser cache's file of this entry alone; empty for none (blockfile)
  bool pinned = false;
  bool bodyDecoded = false;  // the body is already free of its Content-Encoding

  uint64_t bodyOffset = 0;
  uint64_t bodySize = 0;
  std::string body;

  // Checks of the body that the format stores; empty when it stores none.
  std::optional<uint32_t> bodyCrc32;
  std::vector<uint16_t> bodyChunkHashes;  // low 16 bits of lookup2 per 256 KiB chunk
};

// A parse either gives the entry or says what is wrong with the file; a file that is
// sound but holds no web response is not damaged.
struct ParsedEntry {
  std::optional<ImportedEntry> entry;
  std::string problem;
  bool damaged = true;
};

// Whether `body` matches the checks its entry file stored.
bool BodyMatchesChecks(const ImportedEntry& entry, std::string_view body);

}  // namespace vantry::import

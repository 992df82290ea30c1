#include "import/ImportedEntry.h"

#include <libdeflate.h>

#include "import/FirefoxCacheEntry.h"
#include "import/Lookup2Hash.h"

namespace vantry::import {

bool BodyMatchesChecks(const ImportedEntry& entry, std::string_view body) {
  if (entry.bodyCrc32 && libdeflate_crc32(0, body.data(), body.size()) != *entry.bodyCrc32) return false;
  if (!entry.bodyChunkHashes.empty()) {
    if ((body.size() + kFirefoxChunkSize - 1) / kFirefoxChunkSize != entry.bodyChunkHashes.size()) return false;
    for (size_t i = 0; i < entry.bodyChunkHashes.size(); ++i)
      if ((Lookup2Hash(body.substr(i * kFirefoxChunkSize, kFirefoxChunkSize)) & 0xFFFF) != entry.bodyChunkHashes[i])
        return false;
  }
  return true;
}

}  // namespace vantry::import

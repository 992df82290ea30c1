#pragma once

#include <string>

#include "cache/store/UrlCacheStore.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

// What became of an entry's body on its way into the store.
enum class BodyCoding { Plain, Decoded, LeftEncoded };

struct ConvertedEntry {
  cache::NewEntry entry;
  BodyCoding coding = BodyCoding::Plain;
};

// The store's entry for an imported response with its `body`: the body decoded from
// its Content-Encoding (the header text then says so), the fetch count as use count,
// the last fetch as last access, the response time as last synchronization; a pinned
// entry is sticky. A body that does not decode is kept as it came, with its header.
ConvertedEntry ConvertEntry(const ImportedEntry& imported, std::string body);

}  // namespace vantry::import

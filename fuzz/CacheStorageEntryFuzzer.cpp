// An entry file of a Service Worker cache as the import reads it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/EntryFileImport.h"
#include "import/CacheStorageEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vantry::import::StringByteSource file(std::string_view(reinterpret_cast<const char*>(data), size));
  vantry::fuzz::ImportParsedEntry(file, vantry::import::ParseCacheStorageEntry(file));
  return 0;
}

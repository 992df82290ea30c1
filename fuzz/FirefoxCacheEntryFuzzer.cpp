// A Firefox cache2 entry file as the import reads it. The metadata hash is set
// right before the parse, so that mutated files get past it into the metadata.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/EntryFileImport.h"
#include "import/ByteSource.h"
#include "import/FirefoxCacheEntry.h"
#include "import/Lookup2Hash.h"

namespace {

// Finds the metadata as the parser does (its offset in the last word, after a
// version word in newer files) and writes its hash in front of it.
void SetMetadataHash(std::string& file) {
  if (file.size() < 8) return;
  const std::string_view tail = std::string_view(file).substr(file.size() - 8);
  const uint32_t previous = vantry::import::BigEndian32(tail, 0);
  const size_t trailer = previous >= 4 && previous <= 64 ? 8 : 4;
  const uint64_t offset = vantry::import::BigEndian32(tail, 4);
  if (offset + 4 > file.size() - trailer) return;
  const std::string_view hashed = std::string_view(file).substr(offset + 4, file.size() - trailer - offset - 4);
  const uint32_t hash = vantry::import::Lookup2Hash(hashed);
  for (int i = 0; i < 4; ++i) file[offset + i] = static_cast<char>(hash >> (24 - 8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  SetMetadataHash(bytes);
  const vantry::import::StringByteSource file(bytes);
  vantry::fuzz::ImportParsedEntry(file, vantry::import::ParseFirefoxCacheEntry(file));
  return 0;
}

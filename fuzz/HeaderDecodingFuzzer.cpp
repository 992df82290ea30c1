// An entry's stored fields and header bytes as the CacheEntry page decodes them for display.

#include <cstddef>
#include <cstdint>
#include <string>

#include "cache/store/CacheEntry.h"
#include "fuzz/FuzzInput.h"
#include "inspect/EntryProperties.h"

namespace {

uint64_t Number(vantry::fuzz::FuzzInput& input) {
  uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = value << 8 | input.Byte();
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry;
  fuzz::FuzzInput input(data, size);
  cache::CacheEntry entry;
  entry.entryType = static_cast<uint32_t>(Number(input));
  entry.sizeLow = static_cast<uint32_t>(Number(input));
  entry.lastModifiedTime = Number(input);
  entry.expireTime = Number(input);
  entry.lastAccessTime = Number(input);
  entry.lastSyncTime = Number(input);
  entry.sourceUrl = std::string(input.Field());
  entry.localFileName = std::string(input.Field());
  entry.fileExtension = std::string(input.Field());
  entry.headerInfo = std::string(input.Rest());
  inspect::Notices notices;
  inspect::EntryPropertyLines(entry, notices);
  return 0;
}

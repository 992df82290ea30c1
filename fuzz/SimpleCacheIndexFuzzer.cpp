// The index files of a Simple Cache folder: the first byte gives the length of "index",
// the rest is index-dir/the-real-index, whose CRC-32 is set so that mutations reach the
// records behind it.

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/ScratchFolder.h"
#include "import/ByteSource.h"
#include "import/SimpleCacheIndex.h"

namespace {

void SetPayloadCrc(std::string& realIndex) {
  if (realIndex.size() < 8) return;
  const uint64_t length = vantry::import::LittleEndian32(realIndex, 0);
  if (length > realIndex.size() - 8) return;
  const uint32_t crc =
      static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(realIndex.data() + 8), static_cast<uInt>(length)));
  for (int i = 0; i < 4; ++i) realIndex[4 + i] = static_cast<char>(crc >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const vantry::fuzz::ScratchFolder folder;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t indexSize = bytes.empty() ? 0 : std::min<size_t>(static_cast<uint8_t>(bytes[0]), bytes.size() - 1);
  std::string realIndex(bytes.substr(std::min<size_t>(1 + indexSize, bytes.size())));
  SetPayloadCrc(realIndex);
  folder.Write("index", bytes.substr(bytes.empty() ? 0 : 1, indexSize));
  folder.Write("index-dir/the-real-index", realIndex);
  vantry::import::ReadSimpleCacheIndex(folder.path());
  return 0;
}

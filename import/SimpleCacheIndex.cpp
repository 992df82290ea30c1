#include "import/SimpleCacheIndex.h"

#include <libdeflate.h>

#include "import/BrowserRecords.h"
#include "import/ByteSource.h"

namespace fs = std::filesystem;

namespace vantry::import {

namespace {

constexpr uint64_t kFakeIndexMagic = 0xfcfb6d1ba7725c30ULL;
constexpr uint64_t kRealIndexMagic = 0x656e74657220796fULL;
constexpr uint64_t kMaxIndexEntries = 1000000;  // what Chromium itself reads at most
constexpr uint64_t kRecordSize = 24;            // hash, last use, size

std::optional<uint32_t> ReadVersion(const fs::path& fakeIndex) {
  FileByteSource file(fakeIndex);
  std::string bytes;
  if (!file.ok() || !file.Read(0, 12, bytes) || LittleEndian64(bytes, 0) != kFakeIndexMagic) return std::nullopt;
  return LittleEndian32(bytes, 8);
}

// The payload of the real index: its size and CRC-32 come first.
std::optional<std::string> ReadPayload(const fs::path& realIndex) {
  FileByteSource file(realIndex);
  std::string head, payload;
  if (!file.ok() || file.Size() > 64 + kMaxIndexEntries * kRecordSize || !file.Read(0, 8, head)) return std::nullopt;
  if (!file.Read(8, LittleEndian32(head, 0), payload)) return std::nullopt;
  if (libdeflate_crc32(0, payload.data(), payload.size()) != LittleEndian32(head, 4)) return std::nullopt;
  return payload;
}

// Payload: magic, version, entry count, cache size, from version 7 a write reason, then
// the records. Fields are 4-byte aligned.
void ReadLastUse(std::string_view payload, std::unordered_map<uint64_t, cache::FileTime>& lastUsed) {
  if (payload.size() < 28 || LittleEndian64(payload, 0) != kRealIndexMagic) return;
  uint32_t version = LittleEndian32(payload, 8);
  if (version < 4 || version > 9) return;
  uint64_t count = LittleEndian64(payload, 12);
  size_t pos = version >= 7 ? 32 : 28;
  if (count > kMaxIndexEntries || pos > payload.size() || count > (payload.size() - pos) / kRecordSize) return;
  for (uint64_t i = 0; i < count; ++i, pos += kRecordSize) {
    auto time = static_cast<int64_t>(LittleEndian64(payload, pos + 8));
    lastUsed[LittleEndian64(payload, pos)] = FileTimeFromWindowsMicroseconds(time);
  }
}

}  // namespace

SimpleCacheIndex ReadSimpleCacheIndex(const fs::path& folder) {
  SimpleCacheIndex index;
  index.version = ReadVersion(folder / "index");
  for (const fs::path& file : {folder / "index-dir/the-real-index", folder / "the-real-index"}) {
    if (std::optional<std::string> payload = ReadPayload(file)) {
      ReadLastUse(*payload, index.lastUsed);
      break;
    }
  }
  return index;
}

std::optional<uint64_t> SimpleCacheEntryHash(std::string_view fileName) {
  if (fileName.size() < 16) return std::nullopt;
  uint64_t hash = 0;
  for (char c : fileName.substr(0, 16)) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) return std::nullopt;
    hash = hash << 4 | static_cast<uint64_t>(digit);
  }
  return hash;
}

}  // namespace vantry::import

#include "import/SimpleCacheStreams.h"

#include <libdeflate.h>

namespace vantry::import {

namespace {

constexpr uint64_t kInitialMagic = 0xfcfb6d1ba7725c30ULL;
constexpr uint64_t kFinalMagic = 0xf4fa6f45970d41d8ULL;
constexpr uint32_t kEntryVersion = 5;
constexpr uint64_t kPaddedRecordSize = 24;
constexpr uint64_t kPackedRecordSize = 20;
constexpr uint64_t kKeySha256Size = 32;
constexpr uint32_t kHasCrc32 = 1;
constexpr uint32_t kHasKeySha256 = 2;

struct EndRecord {
  uint32_t flags = 0;
  uint32_t crc = 0;
  uint32_t streamSize = 0;
};

bool ReadEndRecord(const ByteSource& file, uint64_t end, uint64_t recordSize, EndRecord& record) {
  std::string bytes;
  if (end < recordSize || !file.Read(end - recordSize, recordSize, bytes)) return false;
  if (LittleEndian64(bytes, 0) != kFinalMagic) return false;
  record = {LittleEndian32(bytes, 8), LittleEndian32(bytes, 12), LittleEndian32(bytes, 16)};
  return true;
}

SimpleCacheStreams Problem(std::string text) {
  SimpleCacheStreams streams;
  streams.problem = std::move(text);
  return streams;
}

}  // namespace

SimpleCacheStreams ReadSimpleCacheStreams(const ByteSource& file) {
  const uint64_t size = file.Size();
  std::string header;
  if (!file.Read(0, kPackedRecordSize, header)) return Problem("file too short");
  if (LittleEndian64(header, 0) != kInitialMagic) return Problem("not a Simple Cache entry");
  if (uint32_t version = LittleEndian32(header, 8); version != kEntryVersion)
    return Problem("unknown entry version " + std::to_string(version));
  // The last record tells the record size: its magic starts 24 or 20 bytes before the end.
  EndRecord last;
  uint64_t recordSize = kPaddedRecordSize;
  if (!ReadEndRecord(file, size, recordSize, last)) {
    recordSize = kPackedRecordSize;
    if (!ReadEndRecord(file, size, recordSize, last)) return Problem("no end record");
  }
  SimpleCacheStreams streams;
  const uint64_t keyLength = LittleEndian32(header, 12);
  if (!file.Read(recordSize, keyLength, streams.key)) return Problem("key runs past the end of the file");
  const uint64_t bodyStart = recordSize + keyLength;

  uint64_t streamEnd = size - recordSize;
  if (last.flags & kHasKeySha256) {
    if (streamEnd < kKeySha256Size) return Problem("no room for the key hash");
    streamEnd -= kKeySha256Size;
  }
  if (last.streamSize > streamEnd || streamEnd - last.streamSize < bodyStart + recordSize)
    return Problem("response info runs past the body");
  const uint64_t infoStart = streamEnd - last.streamSize;
  if (!file.Read(infoStart, last.streamSize, streams.stream0)) return Problem("response info unreadable");
  if ((last.flags & kHasCrc32) && libdeflate_crc32(0, streams.stream0.data(), streams.stream0.size()) != last.crc)
    return Problem("response info checksum mismatch");
  EndRecord bodyEnd;
  if (!ReadEndRecord(file, infoStart, recordSize, bodyEnd)) return Problem("no end record after the body");
  streams.bodyOffset = bodyStart;
  streams.bodySize = infoStart - recordSize - bodyStart;
  if (bodyEnd.flags & kHasCrc32) streams.bodyCrc32 = bodyEnd.crc;
  return streams;
}

}  // namespace vantry::import

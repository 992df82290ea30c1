#include "import/SimpleCacheEntry.h"

#include <libdeflate.h>

#include "import/HttpHeaders.h"
#include "import/UrlKeys.h"

namespace vantry::import {

namespace {

constexpr uint64_t kInitialMagic = 0xfcfb6d1ba7725c30ULL;
constexpr uint64_t kFinalMagic = 0xf4fa6f45970d41d8ULL;
constexpr uint32_t kEntryVersion = 5;
constexpr uint64_t kHeaderSize = 24;
constexpr uint64_t kEndRecordSize = 24;
constexpr uint64_t kKeySha256Size = 32;
constexpr uint32_t kHasCrc32 = 1;
constexpr uint32_t kHasKeySha256 = 2;

// Response info flags: bit 31 says an extra flags word follows; extra flag 4 says an
// original response time follows the response time.
constexpr uint32_t kHasExtraFlags = 0x80000000;
constexpr uint32_t kHasOriginalResponseTime = 4;

ParsedEntry Problem(std::string text) { return {std::nullopt, std::move(text)}; }

struct EndRecord {
  uint32_t flags = 0;
  uint32_t crc = 0;
  uint32_t streamSize = 0;
};

bool ReadEndRecord(const ByteSource& file, uint64_t end, EndRecord& record) {
  std::string bytes;
  if (end < kEndRecordSize || !file.Read(end - kEndRecordSize, kEndRecordSize, bytes)) return false;
  if (LittleEndian64(bytes, 0) != kFinalMagic) return false;
  record = {LittleEndian32(bytes, 8), LittleEndian32(bytes, 12), LittleEndian32(bytes, 16)};
  return true;
}

// Chromium times: microseconds since 1601, i.e. a tenth of a FileTime.
cache::FileTime FromChromiumTime(uint64_t microseconds) {
  return microseconds > UINT64_MAX / 10 ? 0 : microseconds * 10;
}

// Reads the pickled response info up to its header block (fields after it depend on
// the Chromium version). Pickle fields are 4-byte aligned; a string is length + bytes.
bool ReadResponseInfo(std::string_view pickle, ImportedEntry& entry) {
  if (pickle.size() < 4 || LittleEndian32(pickle, 0) > pickle.size() - 4) return false;
  pickle = pickle.substr(4, LittleEndian32(pickle, 0));
  size_t pos = 0;
  auto has = [&](size_t n) { return n <= pickle.size() && pos <= pickle.size() - n; };
  if (!has(4)) return false;
  uint32_t flags = LittleEndian32(pickle, pos);
  pos += 4;
  uint32_t extra = 0;
  if (flags & kHasExtraFlags) {
    if (!has(4)) return false;
    extra = LittleEndian32(pickle, pos);
    pos += 4;
  }
  if (!has(16)) return false;
  uint64_t requestTime = LittleEndian64(pickle, pos);
  uint64_t responseTime = LittleEndian64(pickle, pos + 8);
  pos += 16;
  if (extra & kHasOriginalResponseTime) pos += 8;
  if (!has(4)) return false;
  uint32_t length = LittleEndian32(pickle, pos);
  pos += 4;
  if (!has(length)) return false;
  entry.headers = HeaderTextFromLines(HeaderLines(pickle.substr(pos, length)));
  entry.responseTime = FromChromiumTime(responseTime ? responseTime : requestTime);
  return true;
}

}  // namespace

ParsedEntry ParseSimpleCacheEntry(const ByteSource& file) {
  const uint64_t size = file.Size();
  std::string header;
  if (!file.Read(0, kHeaderSize, header)) return Problem("file too short");
  if (LittleEndian64(header, 0) != kInitialMagic) return Problem("not a Simple Cache entry");
  if (uint32_t version = LittleEndian32(header, 8); version != kEntryVersion)
    return Problem("unknown entry version " + std::to_string(version));
  const uint64_t keyLength = LittleEndian32(header, 12);
  std::string key;
  if (!file.Read(kHeaderSize, keyLength, key)) return Problem("key runs past the end of the file");
  const uint64_t bodyStart = kHeaderSize + keyLength;

  EndRecord last;
  if (!ReadEndRecord(file, size, last)) return Problem("no end record");
  uint64_t streamEnd = size - kEndRecordSize;
  if (last.flags & kHasKeySha256) {
    if (streamEnd < kKeySha256Size) return Problem("no room for the key hash");
    streamEnd -= kKeySha256Size;
  }
  if (last.streamSize > streamEnd || streamEnd - last.streamSize < bodyStart + kEndRecordSize)
    return Problem("response info runs past the body");
  const uint64_t infoStart = streamEnd - last.streamSize;
  std::string info;
  if (!file.Read(infoStart, last.streamSize, info)) return Problem("response info unreadable");
  if ((last.flags & kHasCrc32) && libdeflate_crc32(0, info.data(), info.size()) != last.crc)
    return Problem("response info checksum mismatch");
  EndRecord bodyEnd;
  if (!ReadEndRecord(file, infoStart, bodyEnd)) return Problem("no end record after the body");

  ImportedEntry entry;
  std::optional<std::string> url = UrlFromChromiumKey(key);
  if (!url) return Problem("key without a URL");
  entry.url = std::move(*url);
  if (IsChromiumUploadKey(key)) entry.method = "POST";
  if (!ReadResponseInfo(info, entry)) return Problem("response info damaged");
  entry.lastFetched = entry.lastModified = entry.responseTime;
  entry.expires = ExpiryFromHeaders(entry.headers, entry.responseTime);
  entry.bodyOffset = bodyStart;
  entry.bodySize = infoStart - kEndRecordSize - bodyStart;
  if (bodyEnd.flags & kHasCrc32) entry.bodyCrc32 = bodyEnd.crc;
  return {std::move(entry), {}};
}

}  // namespace vantry::import

#include "import/FirefoxCacheEntry.h"

#include <cstdlib>
#include <map>

#include "import/HttpHeaders.h"
#include "import/Lookup2Hash.h"
#include "import/UrlKeys.h"

namespace vantry::import {

namespace {

constexpr uint32_t kPinnedFlag = 0x1;
constexpr uint32_t kEncryptedOffsetBit = 0x80000000;
constexpr uint32_t kNeverExpires = 0xFFFFFFFF;
// Key, response head and the other elements take a few KiB; more is not an entry's.
constexpr uint64_t kMaxMetadataSize = 16 << 20;

cache::FileTime FromUnixSeconds(uint32_t seconds) { return seconds == 0 ? 0 : cache::FileTimeFromUnixSeconds(seconds); }

ParsedEntry Problem(std::string text) { return {std::nullopt, std::move(text)}; }

// The NUL-terminated name/value pairs after the key; a pair cut off at the end is dropped.
std::map<std::string, std::string, std::less<>> Elements(std::string_view bytes) {
  std::map<std::string, std::string, std::less<>> elements;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nameEnd = bytes.find('\0', pos);
    if (nameEnd == std::string_view::npos) break;
    size_t valueEnd = bytes.find('\0', nameEnd + 1);
    if (valueEnd == std::string_view::npos) break;
    elements.emplace(bytes.substr(pos, nameEnd - pos), bytes.substr(nameEnd + 1, valueEnd - nameEnd - 1));
    pos = valueEnd + 1;
  }
  return elements;
}

}  // namespace

ParsedEntry ParseFirefoxCacheEntry(const ByteSource& file) {
  const uint64_t size = file.Size();
  std::string tail;
  if (size < 8 || !file.Read(size - 8, 8, tail)) return Problem("file too short");
  // Firefox 153 ends the file with [version][offset]; older ones with [offset] after the
  // elements' closing NUL, so a version-like word there cannot be an element's end.
  uint32_t previous = BigEndian32(tail, 0);
  uint64_t trailer = (previous >= 4 && previous <= 64) ? 8 : 4;
  uint32_t offsetWord = BigEndian32(tail, 4);
  if (offsetWord & kEncryptedOffsetBit) return Problem("encrypted entry");
  const uint64_t dataSize = offsetWord;
  const uint64_t chunks = (dataSize + kFirefoxChunkSize - 1) / kFirefoxChunkSize;
  if (dataSize > size - trailer) return Problem("metadata offset past the end of the file");
  if (size - trailer - dataSize > kMaxMetadataSize) return Problem("metadata larger than 16 MiB");
  std::string meta;
  if (!file.Read(dataSize, size - trailer - dataSize, meta)) return Problem("metadata unreadable");
  const uint64_t fixed = 4 + 2 * chunks;
  if (meta.size() < fixed + 32) return Problem("metadata too short");
  if (BigEndian32(meta, 0) != Lookup2Hash(std::string_view(meta).substr(4))) return Problem("metadata hash mismatch");

  ImportedEntry entry;
  for (uint64_t i = 0; i < chunks; ++i) entry.bodyChunkHashes.push_back(BigEndian16(meta, 4 + 2 * i));
  size_t pos = fixed;
  uint32_t version = BigEndian32(meta, pos);
  if (version == 0 || version > 64) return Problem("unknown entry version " + std::to_string(version));
  size_t headerWords = version >= 2 ? 8 : 7;  // the flags word came with version 2
  if (meta.size() < pos + 4 * headerWords) return Problem("metadata too short");
  entry.fetchCount = BigEndian32(meta, pos + 4);
  entry.lastFetched = FromUnixSeconds(BigEndian32(meta, pos + 8));
  entry.lastModified = FromUnixSeconds(BigEndian32(meta, pos + 12));
  uint32_t expiration = BigEndian32(meta, pos + 20);
  entry.expires =
      expiration == kNeverExpires ? cache::FileTimeFromUnixSeconds(kNeverExpires) : FromUnixSeconds(expiration);
  uint64_t keySize = BigEndian32(meta, pos + 24);
  entry.pinned = headerWords == 8 && (BigEndian32(meta, pos + 28) & kPinnedFlag);
  pos += 4 * headerWords;
  if (keySize >= meta.size() - pos || meta[pos + keySize] != '\0') return Problem("key runs past the metadata");
  std::string_view key = std::string_view(meta).substr(pos, keySize);
  std::optional<std::string> url = UrlFromFirefoxKey(key);
  if (!url) return Problem("key without a URL");
  entry.url = std::move(*url);

  auto elements = Elements(std::string_view(meta).substr(pos + keySize + 1));
  if (auto method = elements.find("request-method"); method != elements.end()) entry.method = method->second;
  // Internal pages (about:home) and what the predictor keeps about pages come without a
  // response: sound entries, but no web responses.
  auto head = elements.find("response-head");
  if (head == elements.end()) return {std::nullopt, "not a web response", false};
  entry.headers = HeaderTextFromLines(HeaderLines(head->second));
  entry.responseTime = entry.lastModified;
  entry.bodySize = dataSize;
  // Alternative data (compiled script) sits after the body: "1;<offset>,<type>".
  if (auto alt = elements.find("alt-data"); alt != elements.end()) {
    size_t semicolon = alt->second.find(';');
    uint64_t altOffset =
        semicolon == std::string::npos ? dataSize : std::strtoull(alt->second.c_str() + semicolon + 1, nullptr, 10);
    if (altOffset > dataSize) return Problem("alternative data offset past the body");
    entry.bodySize = altOffset;
    entry.bodyChunkHashes.clear();  // they cover the alternative data as well
  }
  return {std::move(entry), {}};
}

}  // namespace vantry::import

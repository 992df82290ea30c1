#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantry::import {

// Builders of entry files in the browsers' formats, for tests and the benchmark.

struct FirefoxEntryParts {
  std::string key;  // e.g. "O^partitionKey=%28http%2C127.0.0.1%29,:http://127.0.0.1/"
  std::string body;
  std::string responseHead = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";  // empty: none
  uint32_t version = 4;
  uint32_t fetchCount = 1;
  uint32_t lastFetched = 1700000000;
  uint32_t lastModified = 1700000000;
  uint32_t expiration = 1700086400;
  uint32_t flags = 0;
  std::vector<std::pair<std::string, std::string>> extraElements;
  bool olderTrailer = false;  // only the offset word at the end, as before Firefox 153
};
std::string BuildFirefoxEntry(const FirefoxEntryParts& parts);
// Upper-case hex SHA-1 of the key, the entry's file name.
std::string FirefoxEntryFileName(std::string_view key);

struct SimpleEntryParts {
  std::string key;  // e.g. "1/0/_dk_http://a.test http://a.test http://a.test/x"
  std::string body;
  std::vector<std::string> headerLines = {"HTTP/1.1 200 OK", "Content-Type: text/html"};
  uint64_t requestTime = 13340000000000000;  // microseconds since 1601
  uint64_t responseTime = 13340000000100000;
  std::string stream0;    // empty: the pickled response info of the fields above
  bool unpadded = false;  // 20-byte header and end records, as 32-bit x86 builds wrote
};
std::string BuildSimpleCacheEntry(const SimpleEntryParts& parts);
// Chromium's pickled response info: flags, times, the NUL-separated header lines.
std::string PickledResponseInfo(const std::vector<std::string>& headerLines, uint64_t requestTime,
                                uint64_t responseTime);
// Hex of the first 8 bytes of SHA-1 of the key read little-endian, then "_0".
std::string SimpleCacheFileName(std::string_view key);

void PutLittleEndian32(std::string& out, uint32_t value);
void PutLittleEndian64(std::string& out, uint64_t value);
uint32_t Crc32(std::string_view bytes);

std::string GzipBytes(std::string_view bytes);
// Compressed with zlib's windowBits: 15 a zlib stream, -15 raw deflate, 15 + 16 gzip.
std::string DeflateBytes(std::string_view bytes, int windowBits);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace vantry::import

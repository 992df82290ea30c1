#include "import/tests/SyntheticEntryFiles.h"

#include <openssl/sha.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>

#include "import/Lookup2Hash.h"

namespace vantry::import {

namespace {

void PutBigEndian32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
}

std::string Sha1(std::string_view bytes) {
  unsigned char digest[SHA_DIGEST_LENGTH];
  SHA1(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
  return std::string(reinterpret_cast<char*>(digest), sizeof(digest));
}

std::string EndRecord(uint32_t flags, uint32_t crc, uint32_t size, bool unpadded) {
  std::string record;
  PutLittleEndian64(record, 0xf4fa6f45970d41d8ULL);
  PutLittleEndian32(record, flags);
  PutLittleEndian32(record, crc);
  PutLittleEndian32(record, size);
  if (!unpadded) PutLittleEndian32(record, 0);
  return record;
}

}  // namespace

void PutLittleEndian32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(value >> shift);
}

void PutLittleEndian64(std::string& out, uint64_t value) {
  PutLittleEndian32(out, static_cast<uint32_t>(value));
  PutLittleEndian32(out, static_cast<uint32_t>(value >> 32));
}

uint32_t Crc32(std::string_view bytes) {
  return static_cast<uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::string BuildFirefoxEntry(const FirefoxEntryParts& parts) {
  const size_t chunk = 256 * 1024;
  std::string hashed;  // everything the metadata hash covers
  for (size_t pos = 0; pos < parts.body.size(); pos += chunk) {
    uint32_t hash = Lookup2Hash(std::string_view(parts.body).substr(pos, chunk));
    hashed += static_cast<char>(hash >> 8);
    hashed += static_cast<char>(hash);
  }
  for (uint32_t word : {parts.version, parts.fetchCount, parts.lastFetched, parts.lastModified, 0u, parts.expiration,
                        static_cast<uint32_t>(parts.key.size()), parts.flags})
    PutBigEndian32(hashed, word);
  hashed += parts.key;
  hashed += '\0';
  auto element = [&](const std::string& name, const std::string& value) {
    hashed += name;
    hashed += '\0';
    hashed += value;
    hashed += '\0';
  };
  element("request-method", "GET");
  if (!parts.responseHead.empty()) element("response-head", parts.responseHead);
  for (const auto& [name, value] : parts.extraElements) element(name, value);
  std::string file = parts.body;
  PutBigEndian32(file, Lookup2Hash(hashed));
  file += hashed;
  if (!parts.olderTrailer) PutBigEndian32(file, parts.version);
  PutBigEndian32(file, static_cast<uint32_t>(parts.body.size()));
  return file;
}

std::string FirefoxEntryFileName(std::string_view key) {
  std::string hex;
  char digits[3];
  for (unsigned char byte : Sha1(key)) {
    std::snprintf(digits, sizeof(digits), "%02X", byte);
    hex += digits;
  }
  return hex;
}

std::string PickledResponseInfo(const std::vector<std::string>& headerLines, uint64_t requestTime,
                                uint64_t responseTime) {
  std::string payload;
  PutLittleEndian32(payload, 0x80040003);  // version 3, extra flags follow
  PutLittleEndian32(payload, 6);           // proxy chain, original response time
  PutLittleEndian64(payload, requestTime);
  PutLittleEndian64(payload, responseTime);
  PutLittleEndian64(payload, responseTime);
  std::string headers;
  for (const std::string& line : headerLines) headers += line + '\0';
  headers += '\0';
  PutLittleEndian32(payload, static_cast<uint32_t>(headers.size()));
  payload += headers;
  payload.resize((payload.size() + 3) & ~size_t(3), '\0');
  std::string pickle;
  PutLittleEndian32(pickle, static_cast<uint32_t>(payload.size()));
  return pickle + payload;
}

std::string BuildSimpleCacheEntry(const SimpleEntryParts& parts) {
  std::string file;
  PutLittleEndian64(file, 0xfcfb6d1ba7725c30ULL);
  PutLittleEndian32(file, 5);
  PutLittleEndian32(file, static_cast<uint32_t>(parts.key.size()));
  PutLittleEndian32(file, 0);  // key hash, not checked on reading
  if (!parts.unpadded) PutLittleEndian32(file, 0);
  file += parts.key;
  file += parts.body;
  file += EndRecord(1, Crc32(parts.body), 0, parts.unpadded);
  std::string stream0 = parts.stream0.empty()
                            ? PickledResponseInfo(parts.headerLines, parts.requestTime, parts.responseTime)
                            : parts.stream0;
  file += stream0;
  unsigned char keyHash[SHA256_DIGEST_LENGTH];
  SHA256(reinterpret_cast<const unsigned char*>(parts.key.data()), parts.key.size(), keyHash);
  file.append(reinterpret_cast<char*>(keyHash), sizeof(keyHash));
  file += EndRecord(3, Crc32(stream0), static_cast<uint32_t>(stream0.size()), parts.unpadded);
  return file;
}

std::string SimpleCacheFileName(std::string_view key) {
  std::string digest = Sha1(key);
  uint64_t hash = 0;
  for (int i = 7; i >= 0; --i) hash = hash << 8 | static_cast<unsigned char>(digest[static_cast<size_t>(i)]);
  char name[32];
  std::snprintf(name, sizeof(name), "%016llx_0", static_cast<unsigned long long>(hash));
  return name;
}

std::string GzipBytes(std::string_view bytes) { return DeflateBytes(bytes, 15 + 16); }

std::string DeflateBytes(std::string_view bytes, int windowBits) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, bytes.size()) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vantry::import

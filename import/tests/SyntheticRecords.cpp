#include "import/tests/SyntheticRecords.h"

#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace {

void PutVarint(std::string& out, uint64_t value) {
  for (; value >= 0x80; value >>= 7) out += static_cast<char>(value | 0x80);
  out += static_cast<char>(value);
}

void PutNumberField(std::string& out, uint32_t field, uint64_t value) {
  PutVarint(out, uint64_t(field) << 3);
  PutVarint(out, value);
}

void PutBytesField(std::string& out, uint32_t field, const std::string& bytes) {
  PutVarint(out, uint64_t(field) << 3 | 2);
  PutVarint(out, bytes.size());
  out += bytes;
}

}  // namespace

std::string BuildSimpleCacheFakeIndex(uint32_t version) {
  std::string file;
  PutLittleEndian64(file, 0xfcfb6d1ba7725c30ULL);
  PutLittleEndian32(file, version);
  file.append(12, '\0');
  return file;
}

std::string BuildSimpleCacheRealIndex(uint32_t version, const std::vector<SimpleIndexRecord>& records) {
  std::string payload;
  PutLittleEndian64(payload, 0x656e74657220796fULL);
  PutLittleEndian32(payload, version);
  PutLittleEndian64(payload, records.size());
  PutLittleEndian64(payload, records.size() * 4096);
  if (version >= 7) PutLittleEndian32(payload, 2);
  for (const SimpleIndexRecord& record : records) {
    PutLittleEndian64(payload, record.hash);
    PutLittleEndian64(payload, record.lastUsed);
    PutLittleEndian64(payload, 16 << 8);  // 4 KiB in 256-byte units, no memory hints
  }
  PutLittleEndian64(payload, 13340000000000000);
  std::string file;
  PutLittleEndian32(file, static_cast<uint32_t>(payload.size()));
  PutLittleEndian32(file, Crc32(payload));
  return file + payload;
}

std::string CacheStorageRecord(const CacheStorageParts& parts) {
  std::string request, response, record;
  PutBytesField(request, 1, parts.method);
  PutNumberField(response, 1, parts.status);
  PutBytesField(response, 2, parts.statusText);
  PutNumberField(response, 3, 0);  // a basic response
  for (const auto& [name, value] : parts.headers) {
    std::string header;
    PutBytesField(header, 1, name);
    PutBytesField(header, 2, value);
    PutBytesField(response, 4, header);
  }
  PutNumberField(response, 6, parts.responseTime);
  PutBytesField(response, 13, "text/html");
  PutBytesField(record, 1, request);
  PutBytesField(record, 2, response);
  PutNumberField(record, 3, parts.entryTime);
  return record;
}

}  // namespace vantry::import

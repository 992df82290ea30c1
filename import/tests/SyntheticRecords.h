#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vantry::import {

// Builders of the index files of Simple Cache folders and of the records of Service
// Worker cache entries, for tests.

// "index": the Simple Cache magic and the cache's version, then zeros.
std::string BuildSimpleCacheFakeIndex(uint32_t version);

// index-dir/the-real-index: the payload's size and CRC-32, then magic, version, entry
// count, cache size, a write reason from version 7, the records, the folder's time.
struct SimpleIndexRecord {
  uint64_t hash;      // the entry file's name
  uint64_t lastUsed;  // microseconds since 1601
};
std::string BuildSimpleCacheRealIndex(uint32_t version, const std::vector<SimpleIndexRecord>& records);

// Stream 0 of a Service Worker cache entry: a protocol buffer record of the request and
// the response.
struct CacheStorageParts {
  std::string method = "GET";
  uint32_t status = 200;
  std::string statusText = "OK";
  std::vector<std::pair<std::string, std::string>> headers = {{"Content-Type", "text/html"}};
  uint64_t responseTime = 13340000000100000;  // microseconds since 1601
  uint64_t entryTime = 13340000000200000;
};
std::string CacheStorageRecord(const CacheStorageParts& parts);

}  // namespace vantry::import

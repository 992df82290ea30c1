#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vantry::import {

// One entry of a synthetic blockfile cache. Times are microseconds since 1601.
struct BlockfileEntryParts {
  std::string key;  // e.g. "1/0/_dk_http://a.test http://a.test http://a.test/x"
  std::string body;
  std::vector<std::string> headerLines = {"HTTP/1.1 200 OK", "Content-Type: text/html"};
  uint64_t requestTime = 13340000000000000;
  uint64_t responseTime = 13340000000100000;
  uint64_t lastUsed = 13340000000200000;
  int32_t reuseCount = 0;
  uint32_t state = 0;  // 1: evicted, 2: doomed
  uint32_t flags = 0;  // 1: a sparse entry, 2: a piece of one
  int32_t dirty = 0;   // not 0: left open when the browser stopped
};

// Writes blockfile cache folders as Chromium lays them out: "index" (header, eviction
// list, hash table), the block files data_0 (rankings records), data_1 to data_3 (256,
// 1024, 4096-byte blocks) and further ones chained to them when one fills up, and
// f_xxxxxx files for keys and streams too large for four blocks.
class BlockfileWriter {
 public:
  struct Options {
    uint32_t version = 0x30000;  // 0x20000 (2.0), 0x20001 (2.1) or 0x30000 (3.0)
    uint32_t tableLength = 0x10000;
    uint32_t blocksPerFile = (8192 - 80) * 8;  // fewer make chained block files sooner
    uint32_t growthBlocks = 1024;              // block files grow by this many blocks
  };

  BlockfileWriter() : BlockfileWriter(Options{}) {}
  explicit BlockfileWriter(Options options);

  // Adds an entry; returns its record's address. A key of up to 927 bytes is kept in the
  // record, a longer one in blocks of its own or, from 16 KiB, in a separate file; a
  // stream of up to 16 KiB in blocks, a larger one in a separate file.
  uint32_t Add(const BlockfileEntryParts& parts);
  void Write(const std::filesystem::path& folder);

 private:
  struct BlockFile {
    uint32_t type = 0;
    uint32_t next = 0;  // the file that takes over when this one is full
    uint32_t used = 0;  // blocks up to the last one handed out
    uint32_t records = 0;
    std::string bitmap = std::string(8192 - 80, '\0');
    std::string blocks;
  };
  struct Entry {
    uint32_t address, rankings;
    std::string record;
    uint64_t lastUsed;
    int32_t dirty;
  };

  uint32_t Reserve(uint32_t type, size_t size);
  uint32_t Store(std::string_view bytes);
  void Put(uint32_t address, std::string_view bytes);
  void LinkIntoTable(size_t entry);
  std::string IndexFile() const;

  Options options_;
  std::vector<BlockFile> files_;  // by number; 0 to 3 start the chains of types 1 to 4
  std::map<uint32_t, std::string> separateFiles_;
  std::vector<Entry> entries_;
  std::map<uint32_t, size_t> entryAt_;
  std::vector<uint32_t> table_;
  int64_t storedBytes_ = 0;
};

}  // namespace vantry::import

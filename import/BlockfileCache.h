#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cache/store/StoreFiles.h"
#include "import/BlockFile.h"

namespace vantry::import {

// Where a record of a blockfile cache is: a separate file "f_<6 hex digits>", or 1 to 4
// blocks of a block file "data_<n>" (bit 31: set; bits 28-30: file type, 0 for a
// separate file; bits 24-25: blocks - 1; bits 16-23: n; bits 0-15: first block).
struct BlockAddress {
  uint32_t value = 0;

  bool initialized() const { return value & 0x80000000; }
  bool separateFile() const { return (value & 0x70000000) == 0; }
  uint32_t fileType() const { return (value >> 28) & 7; }
  uint32_t fileNumber() const { return separateFile() ? value & 0x0FFFFFFF : (value >> 16) & 0xFF; }
  uint32_t blockCount() const { return ((value >> 24) & 3) + 1; }
  uint32_t startBlock() const { return value & 0xFFFF; }
};

// Block file types of the HTTP cache: rankings records, and blocks of 256, 1024 and 4096
// bytes (entry records are in 256-byte blocks).
enum BlockFileType : uint32_t { kRankingsBlocks = 1, kBlocks256 = 2, kBlocks1K = 3, kBlocks4K = 4 };

// A Chromium blockfile cache folder: "index" (a header and a hash table of entry
// addresses), block files data_0 (rankings), data_1 to data_3 (blocks of 256 bytes, 1
// KiB, 4 KiB) and more when they fill up, and separate files f_xxxxxx for large records.
// Index versions 2.0, 2.1 and 3.0 are read. Little-endian throughout. While open, it
// holds its rankings files (each at most 2.3 MB) and, up to 64 MiB, the block files of
// its entry records in memory.
class BlockfileCache {
 public:
  // Opens the folder and finds its entries: through the index's hash chains and through
  // the rankings records, so that a damaged index or rankings file loses none. What
  // keeps entries from being found goes to `problems`; nothing when the version is not
  // known or the folder holds no block files.
  static std::unique_ptr<BlockfileCache> Open(const std::filesystem::path& folder, std::vector<std::string>& problems);
  ~BlockfileCache();

  // The entry records' addresses, in address order.
  const std::vector<uint32_t>& entries() const { return entries_; }

  // Reads `length` bytes from `offset` of the record at `address` into `out`; returns
  // what is wrong, or nothing. Blocks marked free in their file's bitmap do not read.
  // May run on several threads at once.
  std::string ReadRecord(BlockAddress address, uint64_t offset, uint64_t length, std::string& out) const;

 private:
  explicit BlockfileCache(const std::filesystem::path& folder);
  void OpenBlockFiles();
  void FindEntriesThroughIndex(std::string_view table, std::vector<uint32_t>& found) const;
  void FindEntriesThroughRankings(std::vector<uint32_t>& found) const;
  const BlockFile* FileFor(BlockAddress address) const;

  std::filesystem::path folderPath_;
  cache::OpenFolder folder_;
  std::vector<std::unique_ptr<BlockFile>> blockFiles_;  // by number; empty where missing
  std::vector<uint32_t> entries_;
};

// "index" starts with the blockfile magic; "data_<n>" files with the block file magic.
bool IsBlockfileIndex(const std::filesystem::path& file);
bool IsBlockFile(const std::filesystem::path& file);

}  // namespace vantry::import

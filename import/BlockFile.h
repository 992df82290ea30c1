#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "import/ByteSource.h"

namespace vantry::import {

// One block file of a blockfile cache ("data_<n>"): an 8 KiB header (magic, version,
// this file's and the next file's number, block size, room in blocks, counters, the
// allocation bitmap), then the blocks. A file may be held whole in memory, so that its
// blocks are read without a system call each; rankings files (36-byte blocks) always are,
// as every entry's times are read from them.
class BlockFile {
 public:
  static constexpr uint32_t kMagic = 0xC104CAC3;
  static constexpr uint32_t kRankingsBlockSize = 36;

  // Opens `name` in the folder open as `folderFd` and reads its header.
  BlockFile(const std::string& name, int folderFd);

  // Reads the file whole into memory, up to the end of its blocks; false when it does
  // not read. Blocks read alike whether it is held or not.
  bool Hold();

  const std::string& name() const { return name_; }
  uint32_t blockSize() const { return blockSize_; }
  uint32_t maxBlocks() const { return maxBlocks_; }
  // Why its blocks do not read; empty when they do.
  const std::string& problem() const { return problem_; }
  // The size of the file up to the end of its blocks: what Hold() takes.
  uint64_t sizeToHold() const;
  // The whole file once held; empty before.
  std::string_view heldContents() const { return contents_; }

  // Whether the bitmap marks `block` in use.
  bool Used(uint32_t block) const;
  // Reads `length` bytes from `offset` of `count` blocks from `start`, which must all
  // be in use; returns what is wrong, or nothing. May run on several threads at once.
  std::string ReadBlocks(uint32_t start, uint32_t count, uint64_t offset, uint64_t length, std::string& out) const;

 private:
  std::string name_;
  FileByteSource file_;
  uint32_t blockSize_ = 0;
  uint32_t maxBlocks_ = 0;
  std::string bitmap_;
  std::string contents_;
  std::string problem_;
};

}  // namespace vantry::import

#include "import/BlockFile.h"

#include <algorithm>

namespace vantry::import {

namespace {

constexpr uint64_t kHeaderSize = 8192;
constexpr uint64_t kBitmapOffset = 80;
constexpr uint32_t kMaxBlocks = (kHeaderSize - kBitmapOffset) * 8;

}  // namespace

BlockFile::BlockFile(const std::string& name, int folderFd) : name_(name), file_(name.c_str(), folderFd) {
  std::string header;
  if (!file_.ok() || !file_.Read(0, kHeaderSize, header)) {
    problem_ = name + " cut short";
    return;
  }
  if (LittleEndian32(header, 0) != kMagic) {
    problem_ = name + " is not a block file";
    return;
  }
  blockSize_ = LittleEndian32(header, 12);
  maxBlocks_ = std::min(LittleEndian32(header, 20), kMaxBlocks);
  bitmap_ = header.substr(kBitmapOffset);
  if (blockSize_ == kRankingsBlockSize && !Hold()) problem_ = name + " unreadable";
}

uint64_t BlockFile::sizeToHold() const {
  return std::min<uint64_t>(file_.Size(), kHeaderSize + uint64_t(maxBlocks_) * blockSize_);
}

bool BlockFile::Hold() {
  if (!file_.Read(0, sizeToHold(), contents_)) {
    contents_.clear();
    return false;
  }
  return true;
}

bool BlockFile::Used(uint32_t block) const {
  return block / 8 < bitmap_.size() && (static_cast<unsigned char>(bitmap_[block / 8]) >> (block % 8)) & 1;
}

std::string BlockFile::ReadBlocks(uint32_t start, uint32_t count, uint64_t offset, uint64_t length,
                                  std::string& out) const {
  if (!problem_.empty()) return problem_;
  if (start + count > maxBlocks_) return "blocks past the end of " + name_;
  for (uint32_t block = start; block < start + count; ++block)
    if (!Used(block)) return "free blocks of " + name_;
  const uint64_t room = uint64_t(count) * blockSize_;
  if (offset > room || length > room - offset) return "record larger than its blocks";
  const uint64_t position = kHeaderSize + uint64_t(start) * blockSize_ + offset;
  bool read =
      contents_.empty() ? file_.Read(position, length, out) : StringByteSource(contents_).Read(position, length, out);
  return read ? "" : name_ + " cut short";
}

}  // namespace vantry::import

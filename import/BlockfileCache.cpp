#include "import/BlockfileCache.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "import/ByteSource.h"
#include "import/CacheImport.h"
#include "import/SuperFastHash.h"

namespace fs = std::filesystem;

namespace vantry::import {

namespace {

constexpr uint32_t kIndexMagic = 0xC103CAC3;
constexpr uint32_t kKnownVersions[] = {0x20000, 0x20001, 0x30000};
constexpr uint64_t kIndexHeaderSize = 368;  // the header proper, then the eviction lists
constexpr uint32_t kDefaultTableLength = 0x10000;
constexpr uint32_t kLargestTableLength = 0x10000 * 16;
constexpr uint64_t kBlockHeaderSize = 8192;
constexpr uint64_t kRankingsSize = BlockFile::kRankingsBlockSize;
constexpr uint64_t kEntryBlockSize = 256;
// Entry records and small streams are read more than once each (along the hash chains,
// then the entry with its response info): their block files are held in memory, up to
// this many bytes in all for one cache; beyond it they are read from the files.
constexpr uint64_t kHeldEntryBlocksLimit = 64 << 20;

uint32_t BlockSizeOf(uint32_t fileType) {
  switch (fileType) {
    case kRankingsBlocks:
      return kRankingsSize;
    case kBlocks256:
      return 256;
    case kBlocks1K:
      return 1024;
    case kBlocks4K:
      return 4096;
    default:
      return 0;
  }
}

std::string BlockFileName(uint32_t number) { return "data_" + std::to_string(number); }

std::string SeparateFileName(uint32_t number) {
  char name[16];
  std::snprintf(name, sizeof(name), "f_%06x", number);
  return name;
}

std::string VersionText(uint32_t version) {
  return std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF);
}

bool StartsWithMagic(const fs::path& file, uint32_t magic) {
  FileByteSource source(file);
  std::string bytes;
  return source.ok() && source.Read(0, 4, bytes) && LittleEndian32(bytes, 0) == magic;
}

// "data_<n>" with n from 0 to 255.
std::optional<uint32_t> BlockFileNumber(const std::string& name) {
  if (!name.starts_with("data_") || name.size() < 6 || name.size() > 8) return std::nullopt;
  uint32_t number = 0;
  for (char c : name.substr(5)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<uint32_t>(c - '0');
  }
  return number <= 255 ? std::optional(number) : std::nullopt;
}

}  // namespace

BlockfileCache::BlockfileCache(const fs::path& folder) : folderPath_(folder), folder_(folder) {}
BlockfileCache::~BlockfileCache() = default;

void BlockfileCache::OpenBlockFiles() {
  auto isBlockFile = [](const std::string& name) { return BlockFileNumber(name).has_value(); };
  uint64_t held = 0;
  for (const std::string& path : ListEntryFiles(folderPath_, isBlockFile)) {
    std::string name = fs::path(path).filename();
    uint32_t number = *BlockFileNumber(name);
    if (blockFiles_.size() <= number) blockFiles_.resize(number + 1);
    auto file = std::make_unique<BlockFile>(name, folder_.fd());
    if (file->problem().empty() && file->blockSize() == kEntryBlockSize &&
        file->sizeToHold() <= kHeldEntryBlocksLimit - held && file->Hold())
      held += file->heldContents().size();
    blockFiles_[number] = std::move(file);
  }
}

const BlockFile* BlockfileCache::FileFor(BlockAddress address) const {
  uint32_t number = address.fileNumber();
  return number < blockFiles_.size() ? blockFiles_[number].get() : nullptr;
}

std::string BlockfileCache::ReadRecord(BlockAddress address, uint64_t offset, uint64_t length, std::string& out) const {
  if (!address.initialized()) return "no address";
  if (address.separateFile()) {
    std::string name = SeparateFileName(address.fileNumber());
    FileByteSource file(name.c_str(), folder_.fd());
    if (!file.ok()) return name + " missing";
    return file.Read(offset, length, out) ? "" : name + " cut short";
  }
  const uint32_t blockSize = BlockSizeOf(address.fileType());
  if (blockSize == 0) return "address of an unknown kind of block";
  const BlockFile* file = FileFor(address);
  if (!file) return BlockFileName(address.fileNumber()) + " missing";
  if (file->problem().empty() && file->blockSize() != blockSize) return file->name() + " holds other blocks";
  return file->ReadBlocks(address.startBlock(), address.blockCount(), offset, length, out);
}

// Each bucket of the table starts a chain of entries linked by their "next" addresses.
void BlockfileCache::FindEntriesThroughIndex(std::string_view table, std::vector<uint32_t>& found) const {
  std::unordered_set<uint32_t> seen;
  std::string record;
  for (size_t bucket = 0; bucket + 4 <= table.size(); bucket += 4) {
    BlockAddress address{LittleEndian32(table, bucket)};
    while (address.initialized() && seen.insert(address.value).second) {
      found.push_back(address.value);
      if (address.fileType() != kBlocks256 || !ReadRecord(address, 0, kEntryBlockSize, record).empty()) break;
      address.value = LittleEndian32(record, 4);
    }
  }
}

// Every rankings record in use names its entry; one whose own hash does not check out
// names nothing.
void BlockfileCache::FindEntriesThroughRankings(std::vector<uint32_t>& found) const {
  for (const auto& file : blockFiles_) {
    if (!file || !file->problem().empty() || file->blockSize() != kRankingsSize) continue;
    std::string_view contents = file->heldContents();
    for (uint32_t block = 0; block < file->maxBlocks(); ++block) {
      uint64_t position = kBlockHeaderSize + uint64_t(block) * kRankingsSize;
      if (position + kRankingsSize > contents.size()) break;
      if (!file->Used(block)) continue;
      std::string_view node = contents.substr(position, kRankingsSize);
      uint32_t selfHash = LittleEndian32(node, 32);
      if (selfHash != 0 && selfHash != SuperFastHash(node.substr(0, 32))) continue;
      if (BlockAddress entry{LittleEndian32(node, 24)}; entry.initialized()) found.push_back(entry.value);
    }
  }
}

std::unique_ptr<BlockfileCache> BlockfileCache::Open(const fs::path& folder, std::vector<std::string>& problems) {
  std::unique_ptr<BlockfileCache> cache(new BlockfileCache(folder));
  if (!cache->folder_.ok()) {
    problems.push_back(folder.string() + ": the folder cannot be read.");
    return nullptr;
  }
  FileByteSource index("index", cache->folder_.fd());
  std::string header, table;
  if (index.ok() && index.Read(0, kIndexHeaderSize, header) && LittleEndian32(header, 0) == kIndexMagic) {
    uint32_t version = LittleEndian32(header, 4);
    if (std::find(std::begin(kKnownVersions), std::end(kKnownVersions), version) == std::end(kKnownVersions)) {
      problems.push_back(folder.string() + ": blockfile cache version " + VersionText(version) + " is not known.");
      return nullptr;
    }
    uint32_t tableLength = LittleEndian32(header, 28);
    if (tableLength == 0) tableLength = kDefaultTableLength;
    if (tableLength > kLargestTableLength || (tableLength & (tableLength - 1)) != 0) {
      problems.push_back(folder.string() +
                         ": the index's table is damaged; entries were found through their rankings records.");
    } else if (!index.Read(kIndexHeaderSize, uint64_t(tableLength) * 4, table)) {
      index.Read(kIndexHeaderSize, index.Size() - kIndexHeaderSize, table);
      problems.push_back(folder.string() +
                         ": the index is cut short; entries were also found through their rankings records.");
    }
  } else {
    problems.push_back(folder.string() +
                       ": the index is missing or damaged; entries were found through their rankings records.");
  }
  cache->OpenBlockFiles();
  std::vector<uint32_t> found;
  cache->FindEntriesThroughIndex(table, found);
  cache->FindEntriesThroughRankings(found);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  cache->entries_ = std::move(found);
  return cache;
}

bool IsBlockfileIndex(const fs::path& file) { return StartsWithMagic(file, kIndexMagic); }
bool IsBlockFile(const fs::path& file) { return StartsWithMagic(file, BlockFile::kMagic); }

}  // namespace vantry::import

#include "import/tests/BlockfileWriter.h"

#include <cstdio>

#include "import/ByteSource.h"
#include "import/SuperFastHash.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace fs = std::filesystem;

namespace vantry::import {

namespace {

constexpr uint32_t kBlockSizes[] = {0, 36, 256, 1024, 4096};
constexpr size_t kHeaderSize = 8192;
constexpr size_t kInlineKey = 96;
constexpr size_t kLongestInlineKey = 4 * 256 - kInlineKey - 1;
constexpr size_t kLargestBlockRecord = 4 * 4096;

void Set32(std::string& bytes, size_t pos, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[pos + i] = static_cast<char>(value >> (8 * i));
}

void Set64(std::string& bytes, size_t pos, uint64_t value) {
  Set32(bytes, pos, static_cast<uint32_t>(value));
  Set32(bytes, pos + 4, static_cast<uint32_t>(value >> 32));
}

void SetSelfHash(std::string& record, size_t hashOffset) {
  Set32(record, hashOffset, SuperFastHash(std::string_view(record).substr(0, hashOffset)));
}

uint32_t TypeForSize(size_t size) { return size < 1024 ? 2 : size < 4096 ? 3 : 4; }

// An entry record takes one block, or more for a key kept inside it.
size_t EntryBlocks(size_t keyLength) {
  if (keyLength < 256 - kInlineKey || keyLength > kLongestInlineKey) return 1;
  return (keyLength - (256 - kInlineKey)) / 256 + 2;
}

}  // namespace

BlockfileWriter::BlockfileWriter(Options options) : options_(options), table_(options.tableLength) {
  files_.resize(4);
  for (uint32_t type = 1; type <= 4; ++type) files_[type - 1].type = type;
}

// Blocks for `size` bytes in the first file of the type's chain with room: a record's
// blocks lie within one aligned group of four, as Chromium hands them out.
uint32_t BlockfileWriter::Reserve(uint32_t type, size_t size) {
  const uint32_t count = static_cast<uint32_t>(std::max<size_t>(1, (size + kBlockSizes[type] - 1) / kBlockSizes[type]));
  uint32_t number = type - 1;
  for (;;) {
    BlockFile& file = files_[number];
    uint32_t start = file.used % 4 + count > 4 ? (file.used / 4 + 1) * 4 : file.used;
    if (start + count <= options_.blocksPerFile) {
      for (uint32_t block = start; block < start + count; ++block) file.bitmap[block / 8] |= char(1 << (block % 8));
      file.used = start + count;
      ++file.records;
      file.blocks.resize(size_t(file.used) * kBlockSizes[type], '\0');
      return 0x80000000 | type << 28 | (count - 1) << 24 | number << 16 | start;
    }
    if (file.next == 0) {
      file.next = static_cast<uint32_t>(files_.size());
      files_.emplace_back().type = type;
    }
    number = files_[number].next;
  }
}

void BlockfileWriter::Put(uint32_t address, std::string_view bytes) {
  BlockFile& file = files_[(address >> 16) & 0xFF];
  file.blocks.replace(size_t(address & 0xFFFF) * kBlockSizes[file.type], bytes.size(), bytes);
}

uint32_t BlockfileWriter::Store(std::string_view bytes) {
  storedBytes_ += static_cast<int64_t>(bytes.size());
  if (bytes.size() > kLargestBlockRecord) {
    uint32_t number = static_cast<uint32_t>(separateFiles_.size()) + 1;
    separateFiles_[number] = bytes;
    return 0x80000000 | number;
  }
  uint32_t address = Reserve(TypeForSize(bytes.size()), bytes.size());
  Put(address, bytes);
  return address;
}

uint32_t BlockfileWriter::Add(const BlockfileEntryParts& parts) {
  const size_t keyLength = parts.key.size();
  std::string record(EntryBlocks(keyLength) * 256, '\0');
  Set32(record, 0, SuperFastHash(parts.key));
  Set32(record, 12, static_cast<uint32_t>(parts.reuseCount));
  Set32(record, 20, parts.state);
  Set64(record, 24, parts.responseTime);
  Set32(record, 32, static_cast<uint32_t>(keyLength));
  if (keyLength > kLongestInlineKey)
    Set32(record, 36, Store(parts.key + '\0'));
  else
    record.replace(kInlineKey, keyLength, parts.key);
  std::string info = PickledResponseInfo(parts.headerLines, parts.requestTime, parts.responseTime);
  Set32(record, 40, static_cast<uint32_t>(info.size()));
  Set32(record, 44, static_cast<uint32_t>(parts.body.size()));
  Set32(record, 56, Store(info));
  if (!parts.body.empty()) Set32(record, 60, Store(parts.body));
  Set32(record, 72, parts.flags);
  const uint32_t rankings = Reserve(1, 36);
  Set32(record, 8, rankings);
  const uint32_t address = Reserve(2, record.size());
  entryAt_[address] = entries_.size();
  entries_.push_back({address, rankings, std::move(record), parts.lastUsed, parts.dirty});
  LinkIntoTable(entries_.size() - 1);
  return address;
}

// The bucket of the key's hash holds the first entry; the others follow by "next".
void BlockfileWriter::LinkIntoTable(size_t entry) {
  uint32_t& head = table_[LittleEndian32(entries_[entry].record, 0) & (options_.tableLength - 1)];
  if (head == 0) {
    head = entries_[entry].address;
    return;
  }
  Entry* last = &entries_[entryAt_.at(head)];
  while (uint32_t next = LittleEndian32(last->record, 4)) last = &entries_[entryAt_.at(next)];
  Set32(last->record, 4, entries_[entry].address);
}

std::string BlockfileWriter::IndexFile() const {
  std::string index(368, '\0');
  Set32(index, 0, 0xC103CAC3);
  Set32(index, 4, options_.version);
  Set32(index, 8, static_cast<uint32_t>(entries_.size()));
  if (options_.version < 0x30000)
    Set32(index, 12, static_cast<uint32_t>(storedBytes_));
  else
    Set64(index, 48, static_cast<uint64_t>(storedBytes_));
  Set32(index, 16, static_cast<uint32_t>(separateFiles_.size()));
  Set32(index, 20, 1);
  Set32(index, 28, options_.tableLength);
  Set64(index, 40, 13340000000000000);
  Set32(index, 268, static_cast<uint32_t>(entries_.size()));  // the eviction list's size, head and tail
  if (!entries_.empty()) {
    Set32(index, 288, entries_.back().rankings);
    Set32(index, 308, entries_.front().rankings);
  }
  for (uint32_t address : table_) PutLittleEndian32(index, address);
  return index;
}

void BlockfileWriter::Write(const fs::path& folder) {
  // Rankings records link the entries from the newest (the list's head) to the oldest;
  // each end points at itself.
  for (size_t i = 0; i < entries_.size(); ++i) {
    Entry entry = entries_[i];
    SetSelfHash(entry.record, 92);
    Put(entry.address, entry.record);
    std::string node(36, '\0');
    Set64(node, 0, entry.lastUsed);
    Set64(node, 8, entry.lastUsed);
    Set32(node, 16, entries_[i > 0 ? i - 1 : i].rankings);
    Set32(node, 20, entries_[i + 1 < entries_.size() ? i + 1 : i].rankings);
    Set32(node, 24, entry.address);
    Set32(node, 28, static_cast<uint32_t>(entry.dirty));
    SetSelfHash(node, 32);
    Put(entry.rankings, node);
  }
  fs::create_directories(folder);
  WriteBytes(folder / "index", IndexFile());
  for (size_t number = 0; number < files_.size(); ++number) {
    const BlockFile& file = files_[number];
    const uint32_t growth = options_.growthBlocks;
    const uint32_t capacity = (file.used + growth - 1) / growth * growth;
    std::string header(kHeaderSize, '\0');
    Set32(header, 0, 0xC104CAC3);
    Set32(header, 4, 0x20000);
    Set32(header, 8, static_cast<uint32_t>(number) | file.next << 16);
    Set32(header, 12, kBlockSizes[file.type]);
    Set32(header, 16, file.records);
    Set32(header, 20, capacity);
    header.replace(80, file.bitmap.size(), file.bitmap);
    std::string blocks = file.blocks;
    blocks.resize(size_t(capacity) * kBlockSizes[file.type], '\0');
    WriteBytes(folder / ("data_" + std::to_string(number)), header + blocks);
  }
  for (const auto& [number, bytes] : separateFiles_) {
    char name[16];
    std::snprintf(name, sizeof(name), "f_%06x", number);
    WriteBytes(folder / name, bytes);
  }
}

}  // namespace vantry::import

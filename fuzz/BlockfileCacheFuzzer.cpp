// A blockfile cache folder as the import reads it: the corpus's cache with the input's
// changes. The first byte picks which eighth of the entries is read (reading them all
// would make a run slow); then follows a list of changes, each a file byte (its number
// among the folder's files; the top bit cuts the file off at the offset instead), a
// 3-byte offset, a length byte and that many bytes to write there. The own hashes of
// the entry and rankings records a change touches are set again, so that changes reach
// past them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/ScratchFolder.h"
#include "import/BlockfileCache.h"
#include "import/BlockfileEntry.h"
#include "import/EntryConversion.h"
#include "import/SuperFastHash.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kBlockHeaderSize = 8192;

struct CacheFile {
  std::string name;
  std::string original;
  bool changedOnDisk = true;                    // whether the scratch folder holds other bytes
  uint64_t recordSize = 0, selfHashOffset = 0;  // records with an own hash: rankings and entries
};

std::vector<CacheFile> ReadCorpusCache() {
  std::vector<CacheFile> files;
  for (const fs::directory_entry& item : fs::directory_iterator(VANTRY_BLOCKFILE_CORPUS)) {
    std::ifstream in(item.path(), std::ios::binary);
    CacheFile file{item.path().filename(), std::string(std::istreambuf_iterator<char>(in), {})};
    if (file.name == "data_0") file.recordSize = 36, file.selfHashOffset = 32;
    if (file.name == "data_1") file.recordSize = 256, file.selfHashOffset = 92;
    files.push_back(std::move(file));
  }
  std::sort(files.begin(), files.end(), [](const CacheFile& a, const CacheFile& b) { return a.name < b.name; });
  return files;
}

void SetSelfHash(std::string& contents, const CacheFile& file, uint64_t offset) {
  if (file.recordSize == 0 || offset < kBlockHeaderSize) return;
  const uint64_t start = offset - (offset - kBlockHeaderSize) % file.recordSize;
  if (start + file.recordSize > contents.size()) return;
  const uint32_t hash = vantry::import::SuperFastHash(std::string_view(contents).substr(start, file.selfHashOffset));
  for (int i = 0; i < 4; ++i) contents[start + file.selfHashOffset + i] = static_cast<char>(hash >> (8 * i));
}

// The contents of the files the changes touch, by their number.
std::map<size_t, std::string> Changed(const std::vector<CacheFile>& files, std::string_view changes) {
  std::map<size_t, std::string> contents;
  while (changes.size() >= 5) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(changes[i]); };
    const size_t which = (byte(0) & 0x7F) % files.size();
    std::string& content = contents.try_emplace(which, files[which].original).first->second;
    const uint64_t offset = (byte(1) | byte(2) << 8 | byte(3) << 16) % (content.size() + 1);
    const size_t length = std::min<size_t>(byte(4), changes.size() - 5);
    if (byte(0) & 0x80) {
      content.resize(offset);
    } else {
      const std::string_view bytes = changes.substr(5, length);
      content.replace(offset, std::min<uint64_t>(length, content.size() - offset), bytes);
      SetSelfHash(content, files[which], offset);
    }
    changes.remove_prefix(5 + length);
  }
  return contents;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::import;
  static const vantry::fuzz::ScratchFolder folder;
  static std::vector<CacheFile> files = ReadCorpusCache();
  if (size == 0) return 0;
  const size_t eighth = data[0] % 8;
  const std::map<size_t, std::string> changed =
      Changed(files, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  for (size_t i = 0; i < files.size(); ++i) {
    const auto change = changed.find(i);
    if (change != changed.end()) {
      folder.Write(files[i].name, change->second);
      files[i].changedOnDisk = true;
    } else if (files[i].changedOnDisk) {
      folder.Write(files[i].name, files[i].original);
      files[i].changedOnDisk = false;
    }
  }
  std::vector<std::string> problems;
  std::unique_ptr<BlockfileCache> cache = BlockfileCache::Open(folder.path(), problems);
  if (!cache) return 0;
  for (size_t i = eighth; i < cache->entries().size(); i += 8) {
    EntryRead read = ReadBlockfileEntry(*cache, cache->entries()[i]);
    if (read.entry) ConvertEntry(*read.entry, std::move(read.body));
  }
  return 0;
}

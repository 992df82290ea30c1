#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "import/CacheImport.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

// Entries larger than this are skipped with this reason. The parser threads and the
// importing thread read one entry each at a time, so that this bounds what reading
// holds besides the finished entries waiting (StoreOptions::batchBytes).
inline constexpr uint64_t kMaxEntrySize = 64ULL << 20;
inline constexpr const char* kEntryTooLarge = "entry larger than 64 MiB";

// One entry as its source read it: the entry with its body, or why it is skipped.
struct EntryRead {
  std::optional<ImportedEntry> entry;
  std::string body;
  std::string skipped;
};

// The entries of one cache folder, read by their number.
class EntrySource {
 public:
  virtual ~EntrySource() = default;
  virtual size_t Count() const = 0;
  // REQUIRES: index < Count(). May run on several threads at once.
  virtual EntryRead Read(size_t index) const = 0;
};

using EntrySources = std::vector<std::unique_ptr<EntrySource>>;

// Reads the entries of every source, in turn and in order, and offers them to the
// importer; skipped ones are counted with their reasons. The importer's parser threads
// read and prepare entries ahead while the store is written; the outcome does not
// depend on their number. Shows a progress line for many entries. Does not finish the
// importer.
void ImportEntrySources(const EntrySources& sources, EntryImporter& importer, std::ostream& progress);

}  // namespace vantry::import

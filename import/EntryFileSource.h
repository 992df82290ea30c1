#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "import/CacheImport.h"
#include "import/EntrySource.h"

namespace vantry::import {

// A later use of an entry than its file says, found by the file's name; 0 for none.
using LastUseByName = std::function<cache::FileTime(std::string_view fileName)>;

// Entries kept one per file (Firefox cache2, Simple Cache). Each file is read whole,
// once, up to kMaxEntrySize; `parse` finds its entry, and its body is the part of the
// file the entry names.
class EntryFileSource : public EntrySource {
 public:
  EntryFileSource(std::vector<std::string> files, EntryParser parse, LastUseByName lastUse = {});
  ~EntryFileSource() override;
  size_t Count() const override { return files_.size(); }
  EntryRead Read(size_t index) const override;

 private:
  class Folders;

  std::vector<std::string> files_;
  EntryParser parse_;
  LastUseByName lastUse_;
  std::unique_ptr<Folders> folders_;
};

}  // namespace vantry::import

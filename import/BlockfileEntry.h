#pragma once

#include <memory>

#include "import/BlockfileCache.h"
#include "import/EntrySource.h"

namespace vantry::import {

// Reads the entry whose record is at `address`: the record (hash, links, use counts,
// state, key length or the address of a long key, four streams' sizes and addresses,
// flags, its own hash, then the key), its rankings record (times, whether it was left
// open), stream 0 (the pickled response info, as in Simple Cache) and stream 1 (the
// body).
EntryRead ReadBlockfileEntry(const BlockfileCache& cache, uint32_t address);

// The entries of a blockfile cache folder.
class BlockfileSource : public EntrySource {
 public:
  explicit BlockfileSource(std::unique_ptr<BlockfileCache> cache) : cache_(std::move(cache)) {}
  size_t Count() const override { return cache_->entries().size(); }
  EntryRead Read(size_t index) const override { return ReadBlockfileEntry(*cache_, cache_->entries()[index]); }

 private:
  std::unique_ptr<BlockfileCache> cache_;
};

}  // namespace vantry::import

#pragma once

#include <cstdint>

namespace vantry::cache {

// A long piece of work as the user follows it: how far it got, and whether the user asked it
// to stop. Cheap enough to call for every entry or file.
class WorkProgress {
 public:
  virtual ~WorkProgress() = default;
  // `done` of `total` items are finished (total 0: not known beforehand). Returns false once
  // the user asked to stop; the work then ends at its next point where everything it wrote
  // is complete.
  virtual bool Advance(uint64_t done, uint64_t total) = 0;
};

// Progress that nobody watches and that never stops.
class UnwatchedWork : public WorkProgress {
 public:
  bool Advance(uint64_t, uint64_t) override { return true; }
};

}  // namespace vantry::cache

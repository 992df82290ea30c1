#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace rquenz {

// Finds a fixed byte string in buffers, many times over.
class ByteSearcher {
 public:
  // REQUIRES: needle is not empty.
  explicit ByteSearcher(std::string needle) : needle_(std::move(needle)) {}

  // Stores where the first `capacity` non-overlapping occurrences within [begin, end)
  // begin, leftmost first, and returns how many it stored. Fewer than `capacity` means
  // there are no more; otherwise the search goes on after the last one stored.
  size_t FindSeveral(const char* begin, const char* end, const char** hits, size_t capacity) const;

  size_t size() const { return needle_.size(); }

 private:
  std::string needle_;
};

}  // namespace rquenz

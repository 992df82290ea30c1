#pragma once

#include <cstddef>
#include <string>
#include <utility>

// Finds a fixed byte string in buffers, many times over.
class ByteSearcher {
 public:
  // REQUIRES: needle is not empty.
  explicit ByteSearcher(std::string needle) : needle_(std::move(needle)) {}

  // The first occurrence that begins and ends within [begin, end), or nullptr.
  const char* FindIn(const char* begin, const char* end) const;

  size_t size() const { return needle_.size(); }

 private:
  std::string needle_;
};

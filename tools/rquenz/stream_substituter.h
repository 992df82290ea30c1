#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "byte_search.h"

// Copies one file descriptor to another, replacing every non-overlapping
// occurrence of the search string by the replacement, leftmost first.
// The buffers are kept between runs so that many small files cost no
// fresh allocations.
class StreamSubstituter {
 public:
  static constexpr size_t kDefaultChunkSize = 1 << 20;

  // REQUIRES: search is not empty and chunkSize > 0.
  StreamSubstituter(std::string search, std::string replacement,
                    size_t chunkSize = kDefaultChunkSize);

  // Reads `in` to its end and writes the substituted bytes to `out`.
  // Returns "" on success, else what failed ("read failed: ...").
  std::string Run(int in, int out);

 private:
  // Hands bytes to the output buffer; false when writing failed.
  bool Emit(const char* data, size_t size);
  bool Flush();

  // Emits input_[0, end) up to and including its last match, each match
  // replaced; *rest is where the bytes not yet emitted begin.
  bool EmitThroughLastMatch(size_t end, size_t* rest);

  ByteSearcher searcher_;
  std::string replacement_;
  size_t chunkSize_;
  std::vector<char> input_;   // one chunk plus the bytes carried over from the last
  std::vector<char> output_;
  size_t pending_ = 0;        // bytes of output_ not yet written
  int out_ = -1;
  int writeError_ = 0;
};

#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "tools/rquenz/ByteSearch.h"

namespace rquenz {

// Substituted bytes kept in memory: the first `size` bytes of `bytes`.
struct SubstitutedBytes {
  std::vector<char> bytes;
  size_t size = 0;
};

// Copies one file descriptor to another, replacing every non-overlapping
// occurrence of the search string by the replacement, leftmost first.
// The buffers are kept between runs so that many small files cost no
// fresh allocations.
class StreamSubstituter {
 public:
  static constexpr size_t kDefaultChunkSize = 1 << 20;

  // REQUIRES: search is not empty and chunkSize > 0.
  StreamSubstituter(std::string search, std::string replacement, size_t chunkSize = kDefaultChunkSize);

  // Reads `in` to its end and writes the substituted bytes to `out`.
  // Returns "" on success, else what failed ("read failed: ...").
  std::string Run(int in, int out);

  enum class InMemory { kDone, kTooLarge, kReadFailed };
  // Reads `in` to its end and keeps the substituted bytes in `out`, as long as
  // they fit one chunk (kTooLarge otherwise); kReadFailed sets *error. The
  // output buffer is exchanged with `out`'s, so that a buffer handed back from
  // an earlier run is reused instead of allocated.
  InMemory RunInMemory(int in, SubstitutedBytes& out, std::string* error);

 private:
  // Hands bytes to the output buffer; false when writing failed. Most pieces are
  // a few dozen bytes between two matches: those are copied inline in whole
  // blocks, which the buffers have room for past their data, since a library
  // call per piece would cost more than the copy.
  bool Emit(const char* data, size_t size) {
    if (pending_ + size > chunkSize_) return EmitPastBuffer(data, size);
    char* out = output_.data() + pending_;
    if (size > kShortPiece) {
      std::memcpy(out, data, size);
    } else {
      for (size_t done = 0; done < size; done += kCopyBlock) std::memcpy(out + done, data + done, kCopyBlock);
    }
    pending_ += size;
    return true;
  }
  bool EmitPastBuffer(const char* data, size_t size);
  bool Flush();
  // Substitutes all of `in`; in memory the output stays in output_, else it is written to out_.
  std::string Substitute(int in);

  // Matches asked of the searcher at a time.
  static constexpr size_t kHitsPerSearch = 64;
  static constexpr size_t kCopyBlock = 32;
  static constexpr size_t kShortPiece = 256;

  // Emits input_[0, end) up to and including its last match, each match
  // replaced; *rest is where the bytes not yet emitted begin.
  bool EmitThroughLastMatch(size_t end, size_t* rest);

  ByteSearcher searcher_;
  std::vector<char> replacement_;  // the replacement, then a block of room
  size_t replacementSize_;
  size_t chunkSize_;
  std::vector<char> input_;   // one chunk plus the bytes carried over from the last, then a block of room
  std::vector<char> output_;  // one chunk, then a block of room
  size_t pending_ = 0;        // bytes of output_ not yet written
  int out_ = -1;              // where output goes, or kInMemory
  bool outOfRoom_ = false;    // the output outgrew its buffer in memory
  int writeError_ = 0;
  static constexpr int kInMemory = -1;
};

}  // namespace rquenz

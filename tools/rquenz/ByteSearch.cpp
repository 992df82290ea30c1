#include "tools/rquenz/ByteSearch.h"

#include <cstdint>
#include <cstring>

namespace rquenz {

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

template <typename Word>
bool WordsEqual(const char* a, const char* b) {
  Word x, y;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return x == y;
}

// Compares the bytes between a candidate's first and last, a word at a time
// with the last word overlapping: a byte loop's exit is a mispredicted branch
// per candidate, and candidates are as frequent as matches.
bool MiddleMatches(const char* candidate, const char* needle, size_t size) {
  if (size < 3) return true;
  const size_t last = size - 1;  // the middle is [1, last)
  if (size >= 10) {
    for (size_t i = 1; i + 8 < last; i += 8) {
      if (!WordsEqual<uint64_t>(candidate + i, needle + i)) return false;
    }
    return WordsEqual<uint64_t>(candidate + last - 8, needle + last - 8);
  }
  if (size >= 6) {
    return WordsEqual<uint32_t>(candidate + 1, needle + 1) &&
           WordsEqual<uint32_t>(candidate + last - 4, needle + last - 4);
  }
  if (size >= 4) {
    return WordsEqual<uint16_t>(candidate + 1, needle + 1) &&
           WordsEqual<uint16_t>(candidate + last - 2, needle + last - 2);
  }
  return candidate[1] == needle[1];
}

// Where the search stands: the next byte to look at and the hits stored so far.
struct SearchState {
  const char* at;
  const char** hits;
  size_t found;
  size_t capacity;
};

#if defined(__x86_64__)
// Thirty-two candidate starts at a time: those whose first and last bytes both
// fit are compared in full, and the scan runs on past each match without
// starting over, which matters when the needle occurs every few dozen bytes.
// Stops when the hits are full or fewer than 32 candidates are left.
__attribute__((target("avx2"))) void ScanWide(SearchState& state, const char* end, const char* needle, size_t size) {
  const __m256i first = _mm256_set1_epi8(needle[0]);
  const __m256i last = _mm256_set1_epi8(needle[size - 1]);
  const char* at = state.at;
  while (state.found < state.capacity && end - at >= static_cast<std::ptrdiff_t>(size - 1 + 32)) {
    const __m256i starts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i ends = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + size - 1));
    unsigned candidates = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(starts, first), _mm256_cmpeq_epi8(ends, last))));
    const char* next = at + 32;
    while (candidates != 0) {
      const unsigned offset = static_cast<unsigned>(__builtin_ctz(candidates));
      if (!MiddleMatches(at + offset, needle, size)) {
        candidates &= candidates - 1;
        continue;
      }
      state.hits[state.found++] = at + offset;
      const size_t after = offset + size;  // the next match may start here at the earliest
      if (after >= 32 || state.found == state.capacity) {
        next = at + after;
        break;
      }
      candidates &= ~0u << after;
    }
    at = next;
  }
  state.at = at;
}

const bool kHasWideScan = __builtin_cpu_supports("avx2");
#endif

}  // namespace

size_t ByteSearcher::FindSeveral(const char* begin, const char* end, const char** hits, size_t capacity) const {
  const size_t size = needle_.size();
  SearchState state{begin, hits, 0, capacity};
#if defined(__x86_64__)
  if (kHasWideScan && size > 1) ScanWide(state, end, needle_.data(), size);
#endif
  while (state.found < capacity && end - state.at >= static_cast<std::ptrdiff_t>(size)) {
    const char* hit = static_cast<const char*>(memmem(state.at, end - state.at, needle_.data(), size));
    if (hit == nullptr) break;
    hits[state.found++] = hit;
    state.at = hit + size;
  }
  return state.found;
}

}  // namespace rquenz

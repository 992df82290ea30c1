#include "byte_search.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

// Compares the bytes between a candidate's first and last; short needles are
// the common case, where a library call would cost more than the comparison.
bool MiddleMatches(const char* candidate, const char* needle, size_t size) {
  for (size_t i = 1; i + 1 < size; ++i) {
    if (candidate[i] != needle[i]) return false;
  }
  return true;
}

#if defined(__x86_64__)
// Thirty-two candidate starts at a time: those whose first and last bytes both
// fit are compared in full. Far fewer steps per match than a general search,
// which matters when the needle occurs every few dozen bytes. Returns the hit,
// or nullptr with *stop where fewer than 32 candidates are left.
__attribute__((target("avx2"))) const char* ScanWide(const char* at, const char* end,
                                                     const char* needle, size_t size,
                                                     const char** stop) {
  const __m256i first = _mm256_set1_epi8(needle[0]);
  const __m256i last = _mm256_set1_epi8(needle[size - 1]);
  for (; end - at >= static_cast<std::ptrdiff_t>(size - 1 + 32); at += 32) {
    const __m256i starts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i ends = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + size - 1));
    unsigned candidates = static_cast<unsigned>(_mm256_movemask_epi8(
        _mm256_and_si256(_mm256_cmpeq_epi8(starts, first), _mm256_cmpeq_epi8(ends, last))));
    while (candidates != 0) {
      const int offset = __builtin_ctz(candidates);
      if (MiddleMatches(at + offset, needle, size)) return at + offset;
      candidates &= candidates - 1;
    }
  }
  *stop = at;
  return nullptr;
}

const bool kHasWideScan = __builtin_cpu_supports("avx2");
#endif

}  // namespace

const char* ByteSearcher::FindIn(const char* begin, const char* end) const {
  const size_t size = needle_.size();
  const char* const needle = needle_.data();
  if (size == 1) return static_cast<const char*>(std::memchr(begin, needle[0], end - begin));
  const char* at = begin;
#if defined(__x86_64__)
  if (kHasWideScan) {
    if (const char* hit = ScanWide(begin, end, needle, size, &at)) return hit;
  }
#endif
  return static_cast<const char*>(memmem(at, end - at, needle, size));
}

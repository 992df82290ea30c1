#include "byte_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

const char* ByteSearcher::FindIn(const char* begin, const char* end) const {
  const size_t size = needle_.size();
  const char* const needle = needle_.data();
  if (size == 1) return static_cast<const char*>(std::memchr(begin, needle[0], end - begin));
  const char* at = begin;
#if defined(__SSE2__)
  // Sixteen candidate starts at a time: those whose first and last bytes both
  // fit are compared in full. Far fewer calls per match than a general search,
  // which matters when the needle occurs every few dozen bytes.
  const __m128i first = _mm_set1_epi8(needle[0]);
  const __m128i last = _mm_set1_epi8(needle[size - 1]);
  for (; end - at >= static_cast<std::ptrdiff_t>(size - 1 + 16); at += 16) {
    const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + size - 1));
    unsigned candidates = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    while (candidates != 0) {
      const int offset = __builtin_ctz(candidates);
      if (std::memcmp(at + offset + 1, needle + 1, size - 2) == 0) return at + offset;
      candidates &= candidates - 1;
    }
  }
#endif
  return static_cast<const char*>(memmem(at, end - at, needle, size));
}

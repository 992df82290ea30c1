#include "import/Lookup2Hash.h"

#include <bit>
#include <cstring>

namespace vantry::import {

namespace {

void Mix(uint32_t& a, uint32_t& b, uint32_t& c) {
  a -= b;
  a -= c;
  a ^= c >> 13;
  b -= c;
  b -= a;
  b ^= a << 8;
  c -= a;
  c -= b;
  c ^= b >> 13;
  a -= b;
  a -= c;
  a ^= c >> 12;
  b -= c;
  b -= a;
  b ^= a << 16;
  c -= a;
  c -= b;
  c ^= b >> 5;
  a -= b;
  a -= c;
  a ^= c >> 3;
  b -= c;
  b -= a;
  b ^= a << 10;
  c -= a;
  c -= b;
  c ^= b >> 15;
}

// Up to four bytes from `p`, the first in the lowest position; `count` may be 0.
uint32_t Word(const unsigned char* p, size_t count) {
  uint32_t word = 0;
  for (size_t i = 0; i < count && i < 4; ++i) word |= uint32_t(p[i]) << (8 * i);
  return word;
}

// Four whole bytes, the first in the lowest position.
uint32_t FullWord(const unsigned char* p) {
  if constexpr (std::endian::native == std::endian::little) {
    uint32_t word;
    std::memcpy(&word, p, sizeof(word));
    return word;
  }
  return Word(p, 4);
}

}  // namespace

uint32_t Lookup2Hash(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t left = bytes.size();
  uint32_t a = 0x9e3779b9, b = 0x9e3779b9, c = 0;
  while (left >= 12) {
    a += FullWord(p);
    b += FullWord(p + 4);
    c += FullWord(p + 8);
    Mix(a, b, c);
    p += 12;
    left -= 12;
  }
  c += static_cast<uint32_t>(bytes.size());
  // The last bytes: a takes 0-3, b takes 4-7, c takes 8-10 above its lowest byte.
  a += Word(p, left);
  if (left > 4) b += Word(p + 4, left - 4);
  if (left > 8) c += Word(p + 8, left - 8) << 8;
  Mix(a, b, c);
  return c;
}

}  // namespace vantry::import

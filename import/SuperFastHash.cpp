#include "import/SuperFastHash.h"

namespace vantry::import {

namespace {

uint32_t Get16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

// A trailing byte counts as a signed char, sign-extended.
uint32_t Signed(unsigned char byte) {
  return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(byte)));
}

}  // namespace

uint32_t SuperFastHash(std::string_view bytes) {
  if (bytes.empty()) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  uint32_t hash = static_cast<uint32_t>(bytes.size());
  for (size_t blocks = bytes.size() / 4; blocks > 0; --blocks, p += 4) {
    hash += Get16(p);
    uint32_t mixed = (Get16(p + 2) << 11) ^ hash;
    hash = (hash << 16) ^ mixed;
    hash += hash >> 11;
  }
  switch (bytes.size() % 4) {
    case 3:
      hash += Get16(p);
      hash ^= hash << 16;
      hash ^= Signed(p[2]) << 18;
      hash += hash >> 11;
      break;
    case 2:
      hash += Get16(p);
      hash ^= hash << 11;
      hash += hash >> 17;
      break;
    case 1:
      hash += Signed(p[0]);
      hash ^= hash << 10;
      hash += hash >> 1;
      break;
  }
  hash ^= hash << 3;
  hash += hash >> 5;
  hash ^= hash << 4;
  hash += hash >> 17;
  hash ^= hash << 25;
  hash += hash >> 6;
  return hash;
}

}  // namespace vantry::import

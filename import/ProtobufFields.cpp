#include "import/ProtobufFields.h"

namespace vantry::import {

namespace {

enum WireType : uint64_t { kVarint = 0, kFixed64 = 1, kLengthDelimited = 2, kFixed32 = 5 };

}  // namespace

bool ProtobufFields::Fail() {
  damaged_ = true;
  rest_ = {};
  return false;
}

bool ProtobufFields::ReadVarint(uint64_t& value) {
  value = 0;
  for (int shift = 0; shift < 64 && !rest_.empty(); shift += 7) {
    auto byte = static_cast<unsigned char>(rest_.front());
    rest_.remove_prefix(1);
    value |= uint64_t(byte & 0x7f) << shift;
    if (!(byte & 0x80)) return true;
  }
  return false;
}

bool ProtobufFields::Next() {
  if (rest_.empty()) return false;
  uint64_t key = 0;
  if (!ReadVarint(key) || key >> 3 == 0 || key >> 3 > UINT32_MAX) return Fail();
  number_ = static_cast<uint32_t>(key >> 3);
  isNumber_ = false;
  switch (key & 7) {
    case kVarint:
      isNumber_ = true;
      return ReadVarint(value_) || Fail();
    case kLengthDelimited: {
      uint64_t length = 0;
      if (!ReadVarint(length) || length > rest_.size()) return Fail();
      bytes_ = rest_.substr(0, length);
      rest_.remove_prefix(length);
      return true;
    }
    case kFixed64:
    case kFixed32: {
      size_t width = (key & 7) == kFixed64 ? 8 : 4;
      if (rest_.size() < width) return Fail();
      rest_.remove_prefix(width);
      return true;
    }
    default:  // groups: not written by anything read here
      return Fail();
  }
}

}  // namespace vantry::import

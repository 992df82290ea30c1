#pragma once

#include <cstdint>
#include <string_view>

namespace vantry::import {

// The fields of a protocol buffer message in wire format, read one at a time: numbers
// (varints) and byte strings (strings and nested messages); fixed-size fields are
// skipped over.
class ProtobufFields {
 public:
  explicit ProtobufFields(std::string_view message) : rest_(message) {}

  // Moves to the next field; false at the end of the message or where it is damaged.
  bool Next();
  // Whether the message ended early or holds a field that cannot be read.
  bool damaged() const { return damaged_; }

  uint32_t number() const { return number_; }
  bool isNumber() const { return isNumber_; }
  uint64_t value() const { return value_; }
  std::string_view bytes() const { return bytes_; }

 private:
  bool ReadVarint(uint64_t& value);
  bool Fail();

  std::string_view rest_;
  uint32_t number_ = 0;
  bool isNumber_ = false;
  uint64_t value_ = 0;
  std::string_view bytes_;
  bool damaged_ = false;
};

}  // namespace vantry::import

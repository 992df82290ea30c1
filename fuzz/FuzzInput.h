#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantry::fuzz {

// Splits one fuzz input into the values a target needs: fields end at a NUL
// byte; what is left after the last field taken is the rest, NULs and all.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next field: up to the next NUL byte (dropped), or the whole rest.
  std::string_view Field() {
    const size_t end = rest_.find('\0');
    const std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return field;
  }
  // The next byte, or 0 at the end.
  uint8_t Byte() {
    if (rest_.empty()) return 0;
    const uint8_t byte = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace vantry::fuzz

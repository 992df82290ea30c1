// Page text as the reference scanner reads it for a copy.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "archive/ReferenceScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vantry::archive::ScanHtmlText(text);
  vantry::archive::TagIsOpen(text);
  return 0;
}

// Cookie text and cookie file bytes as the Cookie page decodes them for display.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "inspect/CookieDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::inspect;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CookieTextLines(bytes);
  Notices notices;
  DecodeCookieFileLines(bytes, notices);
  return 0;
}

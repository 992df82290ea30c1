// A body and its Content-Encoding value (the first field) as the import decodes them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzInput.h"
#include "import/ContentDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantry::fuzz::FuzzInput input(data, size);
  const std::string_view coding = input.Field();
  vantry::import::HasContentCoding(coding);
  vantry::import::DecodeContent(coding, input.Rest());
  return 0;
}

// An HTTP Archive as the import reads it, and its time and base64 fields.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/EntryConversion.h"
#include "import/HarReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::import;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const ImportedEntry& entry : ReadHar(text).entries) ConvertEntry(entry, entry.body);
  ParseIsoTime(text);
  DecodeBase64(text);
  return 0;
}

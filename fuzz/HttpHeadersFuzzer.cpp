// Response header text as the import reads and rewrites it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/FuzzInput.h"
#include "import/HttpHeaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::import;
  vantry::fuzz::FuzzInput input(data, size);
  const uint64_t decodedSize = input.Byte() * 65537u;
  const std::string_view text = input.Rest();
  // Joined lines split into the same lines again.
  const auto lines = HeaderLines(text);
  const std::string joined = HeaderTextFromLines(lines);
  if (HeaderLines(joined) != lines) std::abort();
  // A decoded body's headers state its size exactly where the original stated one.
  const std::string rewritten = HeadersForDecodedBody(text, decodedSize);
  const auto length = HeaderValue(rewritten, "Content-Length");
  if (length.has_value() != HeaderValue(text, "Content-Length").has_value()) std::abort();
  if (length && *length != std::to_string(decodedSize)) std::abort();
  ParseHttpDate(text);
  ExpiryFromHeaders(text, 132'000'000'000'000'000);
  return 0;
}

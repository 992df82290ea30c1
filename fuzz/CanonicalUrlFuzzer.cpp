// Addresses and references as pages write them (the first field a folder address, the rest a
// reference): a canonical form is its own canonical form, a plain canonical address is too, and
// the cleaning check agrees with the cleaning.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "archive/CanonicalUrl.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::archive;
  vantry::fuzz::FuzzInput input(data, size);
  const std::string_view folder = input.Field();
  const std::string_view reference = input.Rest();
  for (std::string_view url : {folder, reference}) {
    const std::optional<std::string> canonical = CanonicalUrl(url);
    if (IsPlainCanonicalUrl(url) && canonical != std::string(url)) std::abort();
    if (canonical && CanonicalUrl(*canonical) != canonical) std::abort();
  }
  if (NeedsCleaning(reference) != (CleanReference(reference) != reference)) std::abort();
  std::string resolved;
  CanonicalOfPlainReference(folder, reference, resolved);
  return 0;
}

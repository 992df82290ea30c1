#include "ops/AddressServer.h"

namespace vantry {

std::string ServerNameOf(std::string_view address) {
  const size_t separator = address.find("://");
  if (separator == std::string_view::npos || separator == 0) return {};
  std::string_view authority = address.substr(separator + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  if (const size_t colon = authority.rfind(':');
      colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos)
    authority = authority.substr(0, colon);
  return std::string(authority);
}

}  // namespace vantry

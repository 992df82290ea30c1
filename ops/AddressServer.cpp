#include "ops/AddressServer.h"

namespace vantry {
namespace {

bool IsSchemeName(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
          c == '.'))
      return false;
  return true;
}

}  // namespace

std::string ServerNameOf(std::string_view address) {
  const size_t separator = address.find("://");
  if (separator == std::string_view::npos || !IsSchemeName(address.substr(0, separator))) return {};
  std::string_view authority = address.substr(separator + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  if (const size_t colon = authority.rfind(':');
      colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos)
    authority = authority.substr(0, colon);
  return std::string(authority);
}

}  // namespace vantry

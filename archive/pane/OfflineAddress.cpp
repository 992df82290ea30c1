#include "archive/pane/OfflineAddress.h"

#include <algorithm>
#include <array>

#include "text/AsciiText.h"

namespace vantry::archive {

namespace {

constexpr std::string_view kOfflinePrefix = "vantry-";

// The scheme of an address, lower-cased; empty when it has none.
std::string SchemeOf(std::string_view address) {
  size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  std::string_view scheme = address.substr(0, colon);
  bool valid = std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
           c == '.';
  });
  return valid ? text::ToLowerAscii(scheme) : std::string();
}

// The address with its scheme replaced, keeping everything from the colon on.
std::string WithScheme(std::string_view address, std::string_view scheme) {
  return std::string(scheme) + std::string(address.substr(address.find(':')));
}

}  // namespace

std::optional<std::string> OfflineAddressFor(std::string_view networkAddress) {
  std::string scheme = SchemeOf(networkAddress);
  if (scheme != "http" && scheme != "https") return std::nullopt;
  return WithScheme(networkAddress, std::string(kOfflinePrefix) + scheme);
}

std::optional<std::string> NetworkAddressFor(std::string_view offlineAddress) {
  std::string scheme = SchemeOf(offlineAddress);
  if (scheme != kOfflineHttpScheme && scheme != kOfflineHttpsScheme) return std::nullopt;
  return WithScheme(offlineAddress, std::string_view(scheme).substr(kOfflinePrefix.size()));
}

RequestFate FateOfRequest(std::string_view scheme) {
  std::string lower = text::ToLowerAscii(scheme);
  if (lower == "http" || lower == "https") return RequestFate::Redirect;
  constexpr std::array kNetworkSchemes = {"ws", "wss", "ftp"};
  for (std::string_view network : kNetworkSchemes)
    if (lower == network) return RequestFate::Block;
  return RequestFate::Pass;
}

std::vector<std::string> StoreKeyCandidates(std::string_view address) {
  std::string key(address.substr(0, address.find('#')));
  std::vector<std::string> candidates{key};
  auto add = [&candidates](std::string candidate) {
    if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end())
      candidates.push_back(std::move(candidate));
  };
  // "http://host/" is also cached as "http://host".
  size_t authority = key.find("://");
  if (authority != std::string::npos && key.find('/', authority + 3) == key.size() - 1)
    add(key.substr(0, key.size() - 1));
  add(text::PercentDecoded(key));
  return candidates;
}

}  // namespace vantry::archive

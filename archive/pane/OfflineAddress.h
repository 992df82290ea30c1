#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantry::archive {

// Addresses of the offline pane. A page shown from the store lives under a scheme of our
// own that mirrors its network scheme ("http://h/p" is shown as "vantry-http://h/p"), so
// relative and root-relative references resolve to store addresses of the same site.

inline constexpr std::string_view kOfflineHttpScheme = "vantry-http";
inline constexpr std::string_view kOfflineHttpsScheme = "vantry-https";

// The offline address of an http or https address; nothing for any other scheme.
std::optional<std::string> OfflineAddressFor(std::string_view networkAddress);

// The network address an offline address stands for; nothing for any other scheme.
std::optional<std::string> NetworkAddressFor(std::string_view offlineAddress);

// What the pane does with a request its page makes, by the request's scheme.
enum class RequestFate {
  Pass,      // local or engine-internal: file, data, blob, qrc, about, our own schemes
  Redirect,  // http or https: answered from the store under the offline scheme
  Block,     // any other scheme that would reach the network (ws, wss, ftp)
};
RequestFate FateOfRequest(std::string_view scheme);

// The store keys under which an address may have been cached, most likely first: the
// address as the engine spells it (without fragment), the site root without its final
// "/", and the form with percent escapes decoded.
std::vector<std::string> StoreKeyCandidates(std::string_view address);

}  // namespace vantry::archive

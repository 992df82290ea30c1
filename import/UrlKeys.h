#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantry::import {

// The URL inside a Firefox cache key: the key's tags ("O^partitionKey=...,", "a,",
// "~1234,", with ",," for a comma inside a tag) end at the ':' that starts the URL.
std::optional<std::string> UrlFromFirefoxKey(std::string_view key);

// The URL inside a Chromium cache key: "1/0/_dk_<top site> <frame site> <URL>" and
// its variants ("_dk_s_", "_dk_cn_"), the older "<upload id>/<URL>", or a bare URL.
std::optional<std::string> UrlFromChromiumKey(std::string_view key);

// Whether a Chromium cache key is that of an upload (a POST): its upload id is not 0.
bool IsChromiumUploadKey(std::string_view key);

// Whether the store should hold this address: http, https or ftp.
bool IsWebAddress(std::string_view url);

}  // namespace vantry::import

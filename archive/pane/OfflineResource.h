#pragma once

#include <string>
#include <string_view>

#include "cache/store/UrlCacheStore.h"

namespace vantry::archive {

// One answer of the store to a request of the offline pane.
struct OfflineResource {
  enum class Kind { Missing, Body, Redirect };
  Kind kind = Kind::Missing;
  std::string storeKey;     // the key the entry was found under
  std::string body;         // Body: the cached file, as stored (decoded)
  std::string contentType;  // Body: the stored type, or one guessed from name and bytes
  std::string location;     // Redirect: the stored Location, possibly relative
};

// Looks `networkAddress` up under each of its store key candidates and reads the cached
// file. An entry without a readable file is missing, unless it is a stored redirect.
OfflineResource FindOfflineResource(cache::UrlCacheStore& store, std::string_view networkAddress);

}  // namespace vantry::archive

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::import {

// A visited address with the time of its last visit and how often it was visited.
struct VisitRecord {
  std::string url;
  cache::FileTime lastVisit = 0;
  uint32_t visitCount = 0;
};

// A cookie read from a browser; needsKeyring when its value was encrypted with the
// desktop keyring and could not be read (the value is then empty).
struct ImportedCookie {
  cache::Cookie cookie;
  bool needsKeyring = false;
};

// What a history or cookie database gave, or why it gave nothing.
struct VisitRead {
  std::vector<VisitRecord> visits;
  std::string error;
};
struct CookieRead {
  std::vector<ImportedCookie> cookies;
  std::string error;
};

// Microseconds since 1970 (Firefox history and cookie creation) as a file time.
cache::FileTime FileTimeFromUnixMicroseconds(int64_t microseconds);
// Microseconds since 1601 (every Chromium time) as a file time; 0 stays 0.
cache::FileTime FileTimeFromWindowsMicroseconds(int64_t microseconds);

}  // namespace vantry::import

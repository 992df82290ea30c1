#pragma once

#include <string>

#include "cache/store/UrlCacheStore.h"

namespace vantry::import {

// Why the store may have refused to write, in words: its file system is read-only or
// full, one of its folders or its index may not be written, or a file-size limit is
// set. Empty when none of these holds.
std::string StoreWriteProblem(const cache::UrlCacheStore& store);

}  // namespace vantry::import

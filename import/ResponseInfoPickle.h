#pragma once

#include <string_view>

#include "import/ImportedEntry.h"

namespace vantry::import {

// Reads Chromium's pickled response info (stream 0 of the HTTP cache's entries) up to
// its header block: the fields after it depend on the Chromium version. Sets the
// entry's headers and response time; false when the pickle is damaged.
bool ReadResponseInfo(std::string_view pickle, ImportedEntry& entry);

}  // namespace vantry::import

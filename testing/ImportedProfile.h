#pragma once

#include <memory>
#include <string>

#include "cache/store/UrlCacheStore.h"

namespace vantry::testing {

// A fresh store in `storeFolder` holding the cache of one Firefox profile kept with the test
// data ("corpus/firefox": the corpus site on 127.0.0.1:8081 and 8082 and localhost:8082;
// "linkforms/firefox": the reference-forms site on 127.0.0.1:8091 and 8092).
std::unique_ptr<cache::UrlCacheStore> ImportTestProfile(const std::string& profile, const std::string& storeFolder);

}  // namespace vantry::testing

#pragma once

#include <string>
#include <vector>

#include "cache/store/UrlCacheStore.h"

namespace vantry::bench {

// A cached server of `pages` HTML pages (20 to 50 KB, in 20 folders, linking to each other with
// absolute and relative references and embedding images) and `images` images, all under
// `origin`. Returns the addresses in the order they were cached.
std::vector<std::string> CacheSyntheticSite(cache::UrlCacheStore& store, const std::string& origin, int pages,
                                            int images);

// A page that references `links` distinct pages and `images` distinct images of `origin`.
std::string PageWithReferences(int links, int images);

}  // namespace vantry::bench

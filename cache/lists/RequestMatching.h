#pragma once

#include <optional>
#include <string_view>

#include "cache/lists/SearchRequest.h"
#include "cache/store/CacheEntry.h"

namespace vantry::cache {

// The two parts of a URL that wildcard requests look at.
struct UrlNameParts {
  std::string_view name;       // after the last "/" or "\" before the last ".", through that "."
  std::string_view extension;  // from the last "." to the end
};

// Nothing when the URL's last "." does not come after its last "\" (or, without a
// "\", after its last "/"). A name of more than 253 characters counts as empty.
std::optional<UrlNameParts> SplitUrlName(std::string_view url);

// Exact, case-sensitive substring tests of the patterns that the mode's bits name.
bool MatchesWildcardRequest(const SearchRequest& request, std::string_view url);

// The date modes: the entry's last synchronized time as a local date against the
// request's dates, whole calendar dates compared, both ends included.
bool MatchesDateRequest(const SearchRequest& request, FileTime lastSyncTime);

// Whether `entry` matches the request by its mode alone (which entries a fill lists
// at all is the fill's own rule): no request and "everything" match every entry.
bool MatchesRequest(const SearchRequest& request, const CacheEntry& entry);

}  // namespace vantry::cache

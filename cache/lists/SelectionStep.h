#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cache/lists/ListTabContext.h"

namespace vantry::cache {

// Whether a selection also decodes the file of a "Cookie:" entry (the access-order
// list does, the others do not).
enum class CookieFileStep { Skip, Decode };

// A cookie file is decoded whole up to this many bytes; real ones hold a few kilobytes.
inline constexpr size_t kCookieFileReadLimit = 1 << 20;

// Makes `itemText` the current entry and shows it everywhere: address box, HTML pane,
// properties (clearing the search request's mode), cookie text, the memory bar's bytes, and
// with CookieFileStep::Decode the cookie file of a "Cookie:" entry.
void RunSelectionStep(const ListTabContext& context, std::string_view itemText, CookieFileStep cookieFile);

// The memory bar's bytes for a shown address: its cookie text, else the cached file of its
// `entry` (a cookie entry's is its cookie file), else none.
void ShowEntryBytes(EntryPanes& panes, const std::optional<std::string>& cookieText, const CacheEntry* entry);

}  // namespace vantry::cache

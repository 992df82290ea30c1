#pragma once

#include <cstddef>
#include <string_view>

#include "cache/lists/ListTabContext.h"

namespace vantry::cache {

// Whether a selection also decodes the file of a "Cookie:" entry (the access-order
// list does, the others do not).
enum class CookieFileStep { Skip, Decode };

// A cookie file is read up to this many bytes; more than kCookieFileWarnAbove bytes
// earn the "Cookie much too big" message.
inline constexpr size_t kCookieFileReadLimit = 1000;
inline constexpr size_t kCookieFileWarnAbove = 998;

// Makes `itemText` the current entry and shows it everywhere: address box, HTML pane,
// properties (clearing the search request's mode), cookie text and bytes, and with
// CookieFileStep::Decode the cookie file of a "Cookie:" entry.
void RunSelectionStep(const ListTabContext& context, std::string_view itemText, CookieFileStep cookieFile);

}  // namespace vantry::cache

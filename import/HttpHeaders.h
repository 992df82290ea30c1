#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cache/store/CacheEntry.h"

namespace vantry::import {

// Header text as the store keeps it: the status line and one line per header, each
// ended by CRLF, then an empty line.

// The non-empty lines of header text separated by CRLF, LF or NUL.
std::vector<std::string_view> HeaderLines(std::string_view text);
// Joins lines into header text; empty lines are left out.
std::string HeaderTextFromLines(const std::vector<std::string_view>& lines);

// The value of the first header `name` (ignoring case), without surrounding blanks.
std::optional<std::string> HeaderValue(std::string_view text, std::string_view name);

// Header text for a body whose content coding was removed: the Content-Encoding line is
// kept as "Original-Content-Encoding", a Content-Length line as "Original-Content-Length",
// and a Content-Length line with the decoded size takes its place.
std::string HeadersForDecodedBody(std::string_view text, uint64_t decodedSize);

// An HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT", the RFC 850 and asctime forms too).
std::optional<cache::FileTime> ParseHttpDate(std::string_view text);

// When the response expires by its Cache-Control max-age (counted from `responseTime`)
// or its Expires header; 0 when it says neither.
cache::FileTime ExpiryFromHeaders(std::string_view text, cache::FileTime responseTime);

}  // namespace vantry::import

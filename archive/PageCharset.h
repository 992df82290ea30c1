#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// A copied page read from disk has no response headers, so the charset they stated must be in
// the page itself: when `contentType` names one and the page does not begin with a byte order
// mark, the first <meta> charset declaration near the start of the page is set to it, or one
// is added after <head> (else after the doctype, else at the start).
std::string KeepStatedCharset(std::string html, std::string_view contentType);

// The charset parameter of a content type ("text/html; charset=utf-8" gives "utf-8").
std::string CharsetOf(std::string_view contentType);

}  // namespace vantry::archive

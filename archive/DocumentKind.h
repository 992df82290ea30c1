#pragma once

#include <string>
#include <string_view>

#include "cache/store/CacheEntry.h"

namespace vantry::archive {

// What a copy does with a cached file: pages and style sheets have their references rewritten,
// other files are copied as they are.
enum class DocumentKind { kPage, kStyleSheet, kOther };

// The media type of a content type, without parameters or blanks ("text/html; charset=x" gives "text/html").
std::string_view MediaTypeOf(std::string_view contentType);

// The content type an entry's stored headers give, or an empty text.
std::string StoredContentType(const cache::CacheEntry& entry);

// By the stored content type; by the extension of `localName` when there is none.
DocumentKind KindOf(std::string_view contentType, std::string_view localName);

}  // namespace vantry::archive

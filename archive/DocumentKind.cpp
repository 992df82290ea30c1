#include "archive/DocumentKind.h"

#include "archive/CachedResponse.h"
#include "text/AsciiText.h"

namespace vantry::archive {

std::string_view MediaTypeOf(std::string_view contentType) {
  std::string_view type = contentType.substr(0, contentType.find(';'));
  while (!type.empty() && text::IsAsciiSpace(type.front())) type.remove_prefix(1);
  while (!type.empty() && text::IsAsciiSpace(type.back())) type.remove_suffix(1);
  return type;
}

std::string StoredContentType(const cache::CacheEntry& entry) {
  return ParseStoredHeaders(cache::HeaderText(entry)).contentType;
}

DocumentKind KindOf(std::string_view contentType, std::string_view localName) {
  const std::string_view type = MediaTypeOf(contentType);
  if (!type.empty()) {
    if (text::EqualsNoCase(type, "text/html") || text::EqualsNoCase(type, "application/xhtml+xml"))
      return DocumentKind::kPage;
    return text::EqualsNoCase(type, "text/css") ? DocumentKind::kStyleSheet : DocumentKind::kOther;
  }
  const std::string_view extension = localName.substr(localName.rfind('.') + 1);
  if (text::EqualsNoCase(extension, "htm") || text::EqualsNoCase(extension, "html")) return DocumentKind::kPage;
  return text::EqualsNoCase(extension, "css") ? DocumentKind::kStyleSheet : DocumentKind::kOther;
}

}  // namespace vantry::archive

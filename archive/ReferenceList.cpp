#include "archive/ReferenceList.h"

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

bool HasNonPageScheme(std::string_view value) {
  for (std::string_view scheme : {"mailto:", "wais:", "ftp:", "news:", "gopher:"}) {
    if (text::ContainsNoCase(value, scheme)) return true;
  }
  return false;
}

}  // namespace

ReferenceList::ReferenceList(std::size_t capacity, ReferenceFilter filter) : capacity_(capacity), filter_(filter) {}

ReferenceList ReferenceList::ForLinks() { return ReferenceList(kPageCapacity, ReferenceFilter::kNonPageSchemes); }

ReferenceList ReferenceList::ForImages() { return ReferenceList(kPageCapacity, ReferenceFilter::kNone); }

void ReferenceList::StartOver() {
  entries_.clear();
  seen_.clear();
}

bool ReferenceList::Add(std::string_view value) {
  if (filter_ == ReferenceFilter::kNonPageSchemes && HasNonPageScheme(value)) return false;
  if (entries_.size() >= capacity_) return false;
  if (value == "\\" || value == "/") return false;
  if (!seen_.emplace(value).second) return false;
  entries_.emplace_back(value);
  return true;
}

}  // namespace vantry::archive

#include "cache/lists/ShowMask.h"

#include <string_view>

#include "cache/store/Classification.h"

namespace vantry::cache {

bool PassesShowMask(const ShowMask& mask, CacheEntry& entry) {
  std::string_view subType = ClassifySubType(entry.headerInfo);
  std::string_view category = ClassifyCategory(entry.headerInfo);
  auto passes = [&](uint32_t bit, bool test) { return (mask.bits & bit) != 0 && test; };
  return passes(ShowMask::kHtml, subType == "html") || passes(ShowMask::kText, subType == "text") ||
         passes(ShowMask::kStyleSheet, subType == "css") || passes(ShowMask::kImage, category == "image") ||
         passes(ShowMask::kAudio, category == "audio") || passes(ShowMask::kApplication, category == "application") ||
         passes(ShowMask::kMisc, category == "misc") ||
         passes(ShowMask::kCookie, (entry.entryType & COOKIE_CACHE_ENTRY) != 0) ||
         passes(ShowMask::kSticky, (entry.entryType & STICKY_CACHE_ENTRY) != 0);
}

}  // namespace vantry::cache

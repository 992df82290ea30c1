#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "cache/store/CacheEntry.h"
#include "cache/store/CacheStatistics.h"

namespace vantry::cache {

// Sorting cache entries into kinds: by the content type of their headers and by the
// extension of their URL, and adding them up in a CacheStatistics record.

// Both header classifiers lower-case `headerText` in place (the caller passes the entry's
// header info, so later steps see it in lower case) and return "NOT" when it names no
// content type. The names returned are static literals.

// "html", "text", "css", "gif", "jpg", "png", "xicon", "xbm", "audiobas", "xmidi", "midi",
// "jscript", "octet", "powerpoint", "zip", "arj", "pointplus", "msword", "java", "unk",
// "empty", "notfound" or "NOT".
std::string_view ClassifySubType(std::string& headerText);

// "text", "image", "audio", "application", "misc" or "NOT".
std::string_view ClassifyCategory(std::string& headerText);

// The extension counter (kHtmExtension to kStyleSheet) of the text from the URL's last
// ".", or nothing when the URL has no "." or the text names no counted kind.
std::optional<CacheStatistics::Counter> ClassifyUrlExtension(std::string_view url);

// How a walk adds its entries up.
// Every variant counts every entry in kTotal and sums the sizes of the entries it counts
// in kUrl.
enum class TallyVariant {
  // Access-order list and history tree: cookie and history entries are counted apart;
  // kHtml needs "Content-Type: text/html" as written; no protocol counts.
  AccessOrder,
  // Alphabetical list before any Find: an entry without headers counts only in kTotal;
  // cookie and history entries count like any other; kHtml as in AccessOrder; protocol counts.
  Alphabetical,
  // Alphabetical list after a Find: like AccessOrder, but kHtml takes text/html in any letter
  // case, and protocol counts.
  AfterFind,
};

// Adds `entry` to `statistics` by `variant`; `clusterSize` rounds the size on disk
// (0: the size on disk counts as 0).
void TallyEntry(CacheStatistics& statistics, const CacheEntry& entry, TallyVariant variant, uint32_t clusterSize);

// `size` rounded up to whole clusters; 0 when the cluster size is 0.
uint64_t SizeOnDisk(uint64_t size, uint32_t clusterSize);

// The allocation unit of the file system holding `storeFolder`, or 0 when it cannot tell.
uint32_t ReadClusterSize(const std::filesystem::path& storeFolder);

}  // namespace vantry::cache

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/store/CacheStatistics.h"

namespace vantry::cache {

// The texts that show a CacheStatistics record.

// Title of the "Properties" message box, for the figures and for the hint alike.
inline constexpr std::string_view kPropertiesTitle = "Properties";
inline constexpr std::string_view kPropertiesHint = "You must first expand the cached Url's before Properties is valid";

// The text of the "Properties" box: the hint while no walk has counted an entry, else one
// line per figure ending with the megabytes used and used on disk.
std::string PropertiesText(const CacheStatistics& statistics);

// The fifteen lines of the output bar's statistics page.
std::vector<std::string> StatisticsLines(const CacheStatistics& statistics);

}  // namespace vantry::cache

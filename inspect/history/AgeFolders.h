#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "dates/LocalClock.h"

namespace vantry::inspect {

// The fifteen age folders of the history tree, in their order: today, the six days
// before it (folder 6 also takes the seventh), four weeks, three months and older.
inline constexpr int kAgeFolderCount = 15;

// "today", the weekday names of the six real calendar days before `today`, "1 week ago"
// .. "4 weeks ago", "1 month ago" .. "3 months ago", "older than 3 months".
std::array<std::string, kAgeFolderCount> AgeFolderLabels(const dates::CalendarFields& today);

// The folder (0 to 14) of a visit on local date `visit`, or nothing for a visit after
// `today`. Every month counts as 31 days here, so near the turn of a month a folder may
// disagree with its weekday label.
std::optional<int> AgeFolderOf(const dates::CalendarFields& visit, const dates::CalendarFields& today);

// The text of a history item: the key after its first "@", or the whole key without one.
std::string_view HistoryItemText(std::string_view key);

}  // namespace vantry::inspect

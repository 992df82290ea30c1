#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cache/store/CacheEntry.h"
#include "cache/store/EntryOrigin.h"
#include "inspect/CalendarTime.h"
#include "inspect/Notice.h"

namespace vantry::inspect {

// The texts of the "CacheEntry" page: an entry's fields, its type in words, its dates
// and the first lines of its response header.

// The words appended after "CacheEntryType: %x : " for the flags of `entryType`.
std::string EntryTypeText(uint32_t entryType);

// A file time as "%A, %d. %B %Y" in the calendar `convert` gives; empty outside the
// span the entry dates are shown for (1970 up to the end of 32-bit Unix time).
std::string FormatEntryDate(cache::FileTime time, CalendarConverter convert = LocalCalendarTime);

// At most eight lines of `headerInfo` (the bytes as stored, with their size); one
// "Too many Entries in Header !" notice for every line end beyond the eighth.
std::vector<std::string> DecodeHeaderLines(std::string_view headerInfo, Notices& notices);

// Every line of the page for `entry`, in order: eleven field lines, then the header lines.
std::vector<std::string> EntryPropertyLines(const cache::CacheEntry& entry, Notices& notices,
                                            CalendarConverter convert = LocalCalendarTime);

// The lines that follow them for an entry imported from a browser: the browser and
// profile, the profile's folder and the file of the browser's cache that held it (a
// blockfile cache keeps none for one entry alone).
std::vector<std::string> EntryOriginLines(const cache::EntryOrigin& origin);

}  // namespace vantry::inspect

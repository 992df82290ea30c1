#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cache/store/CacheEntry.h"
#include "cache/store/EntryOrigin.h"
#include "inspect/CalendarTime.h"
#include "inspect/PageText.h"

namespace vantry::inspect {

// The texts of the "CacheEntry" page: an entry's fields, its type in words, its dates
// and the lines of its response header.

// The words appended after "CacheEntryType: %x : " for the flags of `entryType`.
std::string EntryTypeText(uint32_t entryType);

// A file time as "%A, %d. %B %Y" in the calendar `convert` gives; empty outside the
// span the entry dates are shown for (1970 up to the end of 32-bit Unix time).
std::string FormatEntryDate(cache::FileTime time, CalendarConverter convert = LocalCalendarTime);

// Every line of `headerInfo` (the bytes as stored, with their size), each whole; the note
// tells when the header has more than eight line ends, a line longer than 255 characters or
// more than 1000 characters.
PageText DecodeHeaderLines(std::string_view headerInfo);

// Every line of the page for `entry`, in order: eleven field lines, then the header lines.
PageText EntryPropertyLines(const cache::CacheEntry& entry, CalendarConverter convert = LocalCalendarTime);

// The lines that follow them for an entry imported from a browser: the browser and
// profile, the profile's folder and the file of the browser's cache that held it (a
// blockfile cache keeps none for one entry alone).
std::vector<std::string> EntryOriginLines(const cache::EntryOrigin& origin);

}  // namespace vantry::inspect

#include "inspect/EntryProperties.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace vantry::inspect {

namespace {

struct TypeText {
  uint32_t flag;
  const char* text;
};

constexpr TypeText kTypeTexts[] = {
    {cache::NORMAL_CACHE_ENTRY, " Normal cache entry "},
    {cache::COOKIE_CACHE_ENTRY, " Cookie cache entry "},
    {cache::URLHISTORY_CACHE_ENTRY, " History cache entry "},
    {cache::TRACK_OFFLINE_CACHE_ENTRY, " Track offline cache entry "},
    {cache::TRACK_ONLINE_CACHE_ENTRY, " Track Online cache entry "},
    {cache::STICKY_CACHE_ENTRY, " Sticky cache entry "},
    {cache::SPARSE_CACHE_ENTRY, " Sparse cache entry "},
    {cache::UNDOCUMENTED_CACHE_ENTRY_40, " Undocumented Gif cache entry "},
};
constexpr uint32_t kKnownHighBits = 0x00310000;
constexpr uint32_t kKnownLowBits = 0x00000075;

// What the page once showed of a header; beyond these the page says that it shows more.
constexpr size_t kOldHeaderWindow = 1000;
constexpr size_t kOldHeaderLineLength = 255;
constexpr size_t kOldHeaderLineEnds = 8;

constexpr int64_t kFirstShownSecond = 0;
constexpr int64_t kLastShownSecond = 0x7FFFFFFF;

std::string Printf(const char* format, long long value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string SignedDecimal(uint32_t value) { return Printf("%lld", static_cast<int32_t>(value)); }

bool IsHeaderSeparator(char c) { return static_cast<signed char>(c) < 32; }

}  // namespace

std::string EntryTypeText(uint32_t entryType) {
  std::string text;
  for (const TypeText& t : kTypeTexts)
    if (entryType & t.flag) text += t.text;
  if ((entryType & kKnownHighBits) == 0 && (entryType & kKnownLowBits) == 0) text += "!!!! NEW Cache Entry Type !!!! ";
  return text;
}

std::string FormatEntryDate(cache::FileTime time, CalendarConverter convert) {
  int64_t seconds = cache::UnixSecondsFromFileTime(time);
  if (time < cache::kUnixEpochAsFileTime || seconds < kFirstShownSecond || seconds > kLastShownSecond) return {};
  std::optional<std::tm> calendar = convert(time);
  return calendar ? FormatLongDate(*calendar) : std::string();
}

PageText DecodeHeaderLines(std::string_view headerInfo) {
  PageText page;
  if (headerInfo.empty()) return page;
  // The last byte of the stored block is its terminator; the text ends at the first NUL.
  std::string_view text = headerInfo.substr(0, headerInfo.size() - 1);
  text = text.substr(0, text.find('\0'));

  size_t lineStart = 0;
  size_t previousEnd = 0;
  size_t longestLine = 0;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    // The second byte of a CR LF pair follows its first directly and ends nothing.
    if (!IsHeaderSeparator(text[pos]) || pos == previousEnd + 1) continue;
    previousEnd = pos;
    // A separator directly after a line end is skipped, so the next line end is never
    // before the next line's start.
    page.lines.emplace_back(text.substr(lineStart, pos - lineStart));
    longestLine = std::max(longestLine, page.lines.back().size());
    lineStart = pos + 2;
  }
  if (page.lines.size() > kOldHeaderLineEnds || longestLine > kOldHeaderLineLength || text.size() > kOldHeaderWindow)
    page.note = "Whole header shown: " + std::to_string(page.lines.size()) + " lines, " + std::to_string(text.size()) +
                " characters";
  return page;
}

PageText EntryPropertyLines(const cache::CacheEntry& entry, CalendarConverter convert) {
  std::string size = "File Size: " + SignedDecimal(entry.sizeLow);
  if (entry.sizeHigh != 0) size += "and Bigger!!";
  PageText page = DecodeHeaderLines(entry.headerInfo);
  std::vector<std::string> fields = {
      "SourceUrlName: " + entry.sourceUrl,
      "LocalFileName: " + entry.localFileName,
      "FileExtension: " + entry.fileExtension,
      "CacheEntryType: " + Printf("%llx : ", entry.entryType) + EntryTypeText(entry.entryType),
      "UseCount: " + SignedDecimal(entry.useCount),
      "Hit Rate: " + SignedDecimal(entry.hitRate),
      size,
      "Last Modified: " + FormatEntryDate(entry.lastModifiedTime, convert),
      "Expire Date: " + FormatEntryDate(entry.expireTime, convert),
      "Last Access: " + FormatEntryDate(entry.lastAccessTime, convert),
      "Last Synchronized: " + FormatEntryDate(entry.lastSyncTime, convert),
  };
  page.lines.insert(page.lines.begin(), std::make_move_iterator(fields.begin()), std::make_move_iterator(fields.end()));
  return page;
}

std::vector<std::string> EntryOriginLines(const cache::EntryOrigin& origin) {
  return {
      "Imported From: " + origin.browser + ", profile \"" + origin.profile + "\"",
      "Profile Folder: " + origin.profileFolder,
      "Entry File: " + (origin.entryFile.empty() ? "none of its own (a blockfile cache)" : origin.entryFile),
  };
}

}  // namespace vantry::inspect

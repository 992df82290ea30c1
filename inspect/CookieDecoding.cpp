#include "inspect/CookieDecoding.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "inspect/CalendarTime.h"
#include "text/AsciiText.h"

namespace vantry::inspect {

namespace {

// What the page once showed of a cookie file and of a cookie text; beyond these the page
// says that it shows more.
constexpr size_t kOldFileWindow = 1000;
constexpr size_t kOldRecordLength = 255;
constexpr size_t kOldRecordCount = 8;
constexpr size_t kOldTextParts = 4;

constexpr size_t kValueLineLimit = 60;
constexpr std::string_view kRecordSeparator = "\n*\n";

struct CookieRecord {
  std::string name, value, origin;
  int flags = 0;
  uint32_t expiryLow = 0, expiryHigh = 0, creationLow = 0, creationHigh = 0;
};

// "Set One: " to "Set Twenty: ", then "Set 21: " and on.
std::string PartLabel(size_t part) {
  static constexpr const char* kNames[] = {
      "One",    "Two",    "Three",    "Four",     "Five",    "Six",     "Seven",     "Eight",    "Nine",     "Ten",
      "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen", "Twenty"};
  const std::string name = part < std::size(kNames) ? kNames[part] : std::to_string(part + 1);
  return "Set " + name + ": ";
}

// A later part runs from just after its semicolon to the next one; "#" marks a part that
// another follows.
std::string LaterPart(std::string_view text, size_t from, size_t to) {
  if (to == std::string_view::npos) return std::string(text.substr(from + 1));
  return "#" + std::string(text.substr(from + 1, to - from - 1));
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    if (pos > start) words.push_back(text.substr(start, pos - start));
  }
  return words;
}

// The leading decimal number of a word; 0 when it has none or it does not fit.
template <typename Number>
Number LeadingNumber(std::string_view word) {
  Number value = 0;
  const char* first = word.data();
  if (!word.empty() && word[0] == '+') ++first;
  auto [end, error] = std::from_chars(first, word.data() + word.size(), value);
  return error == std::errc() ? value : 0;
}

// Missing fields stay empty or 0.
CookieRecord ParseRecord(std::string_view text) {
  std::vector<std::string_view> words = Words(text);
  words.resize(8);
  CookieRecord record;
  record.name = words[0];
  record.value = words[1];
  record.origin = words[2];
  record.flags = LeadingNumber<int>(words[3]);
  record.expiryLow = LeadingNumber<uint32_t>(words[4]);
  record.expiryHigh = LeadingNumber<uint32_t>(words[5]);
  record.creationLow = LeadingNumber<uint32_t>(words[6]);
  record.creationHigh = LeadingNumber<uint32_t>(words[7]);
  return record;
}

// A time beyond the C library's calendar shows as zeros.
std::string TimeText(uint32_t low, uint32_t high) {
  int second = 0, minute = 0, hour = 0, day = 0, month = 0, year = 0;
  if (std::optional<std::tm> calendar = UtcCalendarTime((cache::FileTime(high) << 32) | low)) {
    second = calendar->tm_sec;
    minute = calendar->tm_min;
    hour = calendar->tm_hour;
    day = calendar->tm_mday;
    month = calendar->tm_mon + 1;
    year = calendar->tm_year + 1900;
  }
  char text[128];
  std::snprintf(text, sizeof text, " Time: %dsec : %dmin : %dh ,Date: %d, %d, %d", second, minute, hour, day, month,
                year);
  return text;
}

// A cookie without an expiry lives for the browser session only.
std::string ExpiryText(uint32_t low, uint32_t high) { return low == 0 && high == 0 ? "Session" : TimeText(low, high); }

// Every LF that a CR precedes stands alone, as a file read in text mode has it.
std::string WithoutCarriageReturns(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  return text;
}

std::vector<std::string_view> SplitRecords(std::string_view bytes) {
  std::vector<std::string_view> records;
  size_t start = 0;
  for (size_t end = bytes.find(kRecordSeparator); end != std::string_view::npos;
       end = bytes.find(kRecordSeparator, start)) {
    records.push_back(bytes.substr(start, end - start));
    start = end + kRecordSeparator.size();
  }
  return records;
}

void AddRecordLines(size_t number, const CookieRecord& record, std::vector<std::string>& lines) {
  lines.push_back("Cookie-Entry Nr. " + std::to_string(number) + " :");
  lines.push_back("Originator = " + record.origin);
  std::string_view value = record.value;
  lines.push_back("name = " + record.name + " has value = " + std::string(value.substr(0, kValueLineLimit)));
  if (value.size() > kValueLineLimit) lines.emplace_back(value.substr(kValueLineLimit));
  if (std::string decoded = text::PercentDecoded(value); decoded != value)
    lines.push_back("decoded value = " + decoded);
  lines.push_back(std::string("Cookie is secure = ") + (record.flags != 0 ? "Yes" : "No"));
  lines.push_back("Expiration Date: " + ExpiryText(record.expiryLow, record.expiryHigh));
  lines.push_back("Creation Date: " + TimeText(record.creationLow, record.creationHigh));
  lines.emplace_back();
}

}  // namespace

PageText CookieTextLines(std::string_view text) {
  size_t p1 = text.find(';');
  bool whole = p1 == std::string_view::npos || p1 == 0;
  PageText page;
  page.lines.push_back(PartLabel(0) + std::string(whole ? text : text.substr(0, p1)));
  for (size_t from = p1; from != std::string_view::npos;) {
    size_t to = text.find(';', from + 1);
    page.lines.push_back(PartLabel(page.lines.size()) + LaterPart(text, from, to));
    from = to;
  }
  if (page.lines.size() > kOldTextParts)
    page.note = "Whole cookie text shown: " + std::to_string(page.lines.size()) + " parts";
  return page;
}

PageText DecodeCookieFileLines(std::string_view bytes) {
  const std::string text = WithoutCarriageReturns(bytes);
  std::vector<std::string_view> records = SplitRecords(text);
  PageText page;
  if (records.size() > 1)
    page.lines.push_back("There are " + std::to_string(records.size()) + " entries in this cookie:");
  size_t longest = 0;
  for (size_t number = 0; number < records.size(); ++number) {
    AddRecordLines(number, ParseRecord(records[number]), page.lines);
    longest = std::max(longest, records[number].size());
  }
  if (records.size() > kOldRecordCount || longest > kOldRecordLength || text.size() > kOldFileWindow)
    page.note = "Whole cookie file shown: " + std::to_string(records.size()) + " entries, " +
                std::to_string(text.size()) + " bytes";
  return page;
}

}  // namespace vantry::inspect

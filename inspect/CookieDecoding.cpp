#include "inspect/CookieDecoding.h"

#include <charconv>
#include <cstdio>
#include <fstream>

#include "inspect/CalendarTime.h"

namespace vantry::inspect {

namespace {

constexpr size_t kRecordLimit = 255;
constexpr size_t kRecordsShown = 8;
constexpr size_t kValueLineLimit = 60;
constexpr std::string_view kRecordSeparator = "\n*\n";

struct CookieRecord {
  std::string name, value, origin;
  int flags = 0;
  uint32_t expiryLow = 0, expiryHigh = 0, creationLow = 0, creationHigh = 0;
};

// Part p of the text split at semicolons: p1 runs from the previous semicolon to the next.
std::string SetPart(std::string_view text, size_t from, size_t to) {
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

std::vector<std::string_view> SplitRecords(std::string_view bytes, Notices& notices) {
  std::vector<std::string_view> records;
  size_t start = 0;
  for (size_t end = bytes.find(kRecordSeparator); end != std::string_view::npos;
       end = bytes.find(kRecordSeparator, start)) {
    if (records.size() == kRecordsShown)
      notices.push_back({"Too many Entries in Cookie !", "Decode Cookie"});
    else
      records.push_back(bytes.substr(start, std::min(end - start, kRecordLimit)));
    start = end + kRecordSeparator.size();
  }
  return records;
}

}  // namespace

std::vector<std::string> CookieTextLines(std::string_view text) {
  size_t p1 = text.find(';');
  bool whole = p1 == std::string_view::npos || p1 == 0;
  std::vector<std::string> lines = {"Set One: " + std::string(whole ? text : text.substr(0, p1))};
  const char* const kLabels[] = {"Set Two: ", "Set Three: ", "Set Four: "};
  size_t from = p1;
  for (const char* label : kLabels) {
    if (from == std::string_view::npos) break;
    size_t to = text.find(';', from + 1);
    lines.push_back(label + SetPart(text, from, to));
    from = to;
  }
  return lines;
}

std::vector<std::string> DecodeCookieFileLines(std::string_view bytes, Notices& notices) {
  std::vector<std::string_view> records = SplitRecords(bytes.substr(0, kCookieDecodeLimit), notices);
  std::vector<std::string> lines;
  if (records.size() > 1) lines.push_back("There are " + std::to_string(records.size()) + " entries in this cookie:");
  for (size_t number = 0; number < records.size(); ++number) {
    CookieRecord record = ParseRecord(records[number]);
    lines.push_back("Cookie-Entry Nr. " + std::to_string(number) + " :");
    lines.push_back("Originator = " + record.origin);
    std::string_view value = record.value;
    lines.push_back("name = " + record.name + " has value = " + std::string(value.substr(0, kValueLineLimit)));
    if (value.size() > kValueLineLimit) lines.emplace_back(value.substr(kValueLineLimit));
    lines.push_back(std::string("Cookie is secure = ") + (record.flags != 0 ? "Yes" : "No"));
    lines.push_back("Expiration Date: " + TimeText(record.expiryLow, record.expiryHigh));
    lines.push_back("Creation Date: " + TimeText(record.creationLow, record.creationHigh));
    lines.emplace_back();
  }
  return lines;
}

std::optional<std::string> ReadCookieFileForDecoding(std::string_view address, const std::filesystem::path& localFile,
                                                     Notices& notices) {
  if (!address.starts_with("Cookie:")) return std::nullopt;
  std::ifstream file(localFile, std::ios::binary);
  if (!file) return std::nullopt;
  // Twice the limit plus one raw bytes always give more than the limit once CR LF
  // pairs are folded, so the cut below never depends on an unread byte.
  std::string raw(2 * kCookieDecodeLimit + 1, '\0');
  file.read(raw.data(), static_cast<std::streamsize>(raw.size()));
  raw.resize(static_cast<size_t>(file.gcount()));
  std::string bytes;
  for (size_t i = 0; i < raw.size() && bytes.size() < kCookieDecodeLimit; ++i)
    if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) bytes += raw[i];
  if (bytes.size() > kCookieDecodeLimit - 2)
    notices.push_back({"What the hell is this? Cookie much too big!!!", "Read Cookie"});
  return bytes;
}

}  // namespace vantry::inspect

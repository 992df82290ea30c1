#include "cache/store/StatisticsText.h"

#include <cinttypes>
#include <cstdio>

namespace vantry::cache {

namespace {

using Counter = CacheStatistics::Counter;

struct Row {
  std::string_view label;
  Counter counter;
};

// The first three figures of either display stand alone; the others carry a blank after
// the number.
constexpr size_t kRowsWithoutBlank = 3;

// A label and its number. Numbers are printed from 64-bit values so that no count shows
// negative, except a difference that really is.
std::string FigureLine(std::string_view label, int64_t value, bool trailingBlank) {
  char number[32];
  std::snprintf(number, sizeof number, trailingBlank ? "%" PRId64 " " : "%" PRId64, value);
  return std::string(label) + number;
}

constexpr Row kPropertiesRows[] = {
    {"Total Cache Entries: ", CacheStatistics::kTotal},
    {"Cache Entries URL: ", CacheStatistics::kUrl},
    {"Cache Entries Cookie: ", CacheStatistics::kCookie},
    {"Cache Entries History: ", CacheStatistics::kHistory},
    {"Cache Entries FTP: ", CacheStatistics::kFtp},
    {"Cache Entries HTTP: ", CacheStatistics::kHttp},
    {"Cache Entries Gif: ", CacheStatistics::kGif},
    {"Cache Entries JPEG: ", CacheStatistics::kJpeg},
    {"Cache Entries png: ", CacheStatistics::kPng},
    {"Cache Entries Au: ", CacheStatistics::kAu},
    {"Cache Entries AIFF: ", CacheStatistics::kAiff},
    {"Cache Entries XBM: ", CacheStatistics::kXbm},
    {"Cache Entries ActiveX: ", CacheStatistics::kActiveX},
    {"Cache Entries Javascript: ", CacheStatistics::kJavascript},
    {"Cache Entries Java: ", CacheStatistics::kJava},
    {"Cache Entries Style Sheet: ", CacheStatistics::kStyleSheet},
    {"Cache Entries html: ", CacheStatistics::kHtml},
};

constexpr Row kStatisticsRows[] = {
    {"Total Cache Entries: ", CacheStatistics::kTotal},   {"Cache Entries URL: ", CacheStatistics::kUrl},
    {"Cache Entries Cookie: ", CacheStatistics::kCookie}, {"Cache Entries History: ", CacheStatistics::kHistory},
    {"Cache Entries FTP: ", CacheStatistics::kFtp},       {"Cache Entries HTTP: ", CacheStatistics::kHttp},
    {"Cache Entries Html: ", CacheStatistics::kHtml},     {"Cache Entries Gif: ", CacheStatistics::kGif},
    {"Cache Entries JPEG: ", CacheStatistics::kJpeg},     {"Cache Entries png: ", CacheStatistics::kPng},
    {"Cache Entries Au: ", CacheStatistics::kAu},         {"Cache Entries AIFF: ", CacheStatistics::kAiff},
    {"Cache Entries XBM: ", CacheStatistics::kXbm},       {"Cache Entries ActiveX: ", CacheStatistics::kActiveX},
};

// Megabytes here are 1,000,000 bytes.
std::string UsageLine(const CacheStatistics& statistics) {
  char line[96];
  std::snprintf(line, sizeof line, "Cache uses : %0.3f MBytes actually %0.3f MBytes",
                static_cast<double>(statistics.bytes) * 0.000001,
                static_cast<double>(statistics.bytesOnDisk) * 0.000001);
  return line;
}

}  // namespace

std::string PropertiesText(const CacheStatistics& statistics) {
  if (statistics[CacheStatistics::kTotal] == 0) return std::string(kPropertiesHint);
  std::string text;
  size_t row = 0;
  for (const auto& [label, counter] : kPropertiesRows)
    text += FigureLine(label, statistics[counter], row++ >= kRowsWithoutBlank) + "\n";
  return text + UsageLine(statistics);
}

std::vector<std::string> StatisticsLines(const CacheStatistics& statistics) {
  std::vector<std::string> lines;
  for (const auto& [label, counter] : kStatisticsRows)
    lines.push_back(FigureLine(label, statistics[counter], lines.size() >= kRowsWithoutBlank));
  // Pages whose headers say text/html but whose address lacks an "htm" extension make
  // this negative.
  int64_t htmlInDisguise =
      int64_t{statistics[CacheStatistics::kHtmExtension]} - int64_t{statistics[CacheStatistics::kHtml]};
  lines.push_back(FigureLine("Cache Entries Html in disguise: ", htmlInDisguise, true));
  return lines;
}

}  // namespace vantry::cache

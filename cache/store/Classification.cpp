#include "cache/store/Classification.h"

#include <sys/statvfs.h>

#include <utility>

#include "text/AsciiText.h"

namespace vantry::cache {

namespace {

// The content-type value of a header: lower-cases the whole header in place, then takes
// at most 32 characters after the first "content-type:" and one optional blank.
std::optional<std::string_view> ContentTypeValue(std::string& headerText) {
  for (char& c : headerText) c = text::LowerAscii(c);
  std::string_view text = headerText;
  text = text.substr(0, text.find('\0'));
  constexpr std::string_view kField = "content-type:";
  size_t start = text.find(kField);
  if (start == std::string_view::npos) return std::nullopt;
  start += kField.size();
  if (start < text.size() && text[start] == ' ') ++start;
  return text.substr(start, 32);
}

bool IsControlOrHigh(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte >= 0x80;
}

// The sub-type ends at a parameter, a blank or any byte that is not printable ASCII.
bool EndsSubType(char c) { return c == ';' || c == ' ' || c == 0x7F || IsControlOrHigh(c); }

// The category is the value's first part; a blank does not end it.
bool EndsCategory(char c) { return c == ';' || c == '/' || IsControlOrHigh(c); }

constexpr std::pair<std::string_view, std::string_view> kSubTypes[] = {
    {"text/html", "html"},
    {"text/plain", "text"},
    {"text/css", "css"},
    {"image/gif", "gif"},
    {"image/jpeg", "jpg"},
    {"image/png", "png"},
    {"image/x-icon", "xicon"},
    {"image/x-xbitmap", "xbm"},
    {"audio/basic", "audiobas"},
    {"audio/x-midi", "xmidi"},
    {"audio/midi", "midi"},
    {"application/x-javascript", "jscript"},
    {"application/octet-stream", "octet"},
    {"application/vnd.ms-powerpoint", "powerpoint"},
    {"application/zip", "zip"},
    {"application/arj", "arj"},
    {"application/x-pointplus", "pointplus"},
    {"application/msword", "msword"},
    {"application/java", "java"},
    {"www/unknown", "unk"},
    {"", "empty"},
};

constexpr std::string_view kCategories[] = {"text", "image", "audio", "application"};

// Tested in this order; the first one the extension text contains wins.
constexpr std::pair<std::string_view, CacheStatistics::Counter> kExtensions[] = {
    {"gif", CacheStatistics::kGif},
    {"art", CacheStatistics::kJpeg},
    {"jp", CacheStatistics::kJpeg},
    {"cla", CacheStatistics::kJava},
    {"js", CacheStatistics::kJavascript},
    {"css", CacheStatistics::kStyleSheet},
    {"alx", CacheStatistics::kActiveX},
    {"axs", CacheStatistics::kActiveX},
    {"au", CacheStatistics::kAu},
    {"aif", CacheStatistics::kAiff},
    {"xbm", CacheStatistics::kXbm},
    {"png", CacheStatistics::kPng},
    {"htm", CacheStatistics::kHtmExtension},
};

// Whether the header says text/html: A and B look for the usual spelling only, C for
// the type in any letter case (its headers may have been lower-cased by the classifiers).
bool NamesHtml(std::string_view header, TallyVariant variant) {
  if (variant == TallyVariant::AfterFind) return text::ContainsNoCase(header, "text/html");
  return header.find("Content-Type: text/html") != std::string_view::npos;
}

void TallyProtocol(CacheStatistics& statistics, std::string_view url) {
  if (text::ContainsNoCase(url, "http://"))
    ++statistics[CacheStatistics::kHttp];
  else if (text::ContainsNoCase(url, "ftp://"))
    ++statistics[CacheStatistics::kFtp];
}

}  // namespace

std::string_view ClassifySubType(std::string& headerText) {
  std::optional<std::string_view> value = ContentTypeValue(headerText);
  if (!value) return "NOT";
  size_t end = 0;
  while (end < value->size() && !EndsSubType((*value)[end])) ++end;
  std::string_view subType = value->substr(0, end);
  for (const auto& [type, name] : kSubTypes)
    if (subType == type) return name;
  return "notfound";
}

std::string_view ClassifyCategory(std::string& headerText) {
  std::optional<std::string_view> value = ContentTypeValue(headerText);
  if (!value) return "NOT";
  std::string_view category;
  if (!value->starts_with('/')) {
    size_t end = value->empty() ? 0 : 1;
    while (end < value->size() && !EndsCategory((*value)[end])) ++end;
    category = value->substr(0, end);
  }
  for (std::string_view known : kCategories)
    if (category == known) return known;
  return "misc";
}

std::optional<CacheStatistics::Counter> ClassifyUrlExtension(std::string_view url) {
  size_t dot = url.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string_view extension = url.substr(dot);
  for (const auto& [part, counter] : kExtensions)
    if (text::ContainsNoCase(extension, part)) return counter;
  return std::nullopt;
}

void TallyEntry(CacheStatistics& statistics, const CacheEntry& entry, TallyVariant variant, uint32_t clusterSize) {
  ++statistics[CacheStatistics::kTotal];
  if (variant == TallyVariant::Alphabetical) {
    if (entry.headerInfoSize() == 0) return;
  } else if (entry.entryType & COOKIE_CACHE_ENTRY) {
    ++statistics[CacheStatistics::kCookie];
    return;
  } else if (entry.entryType & URLHISTORY_CACHE_ENTRY) {
    ++statistics[CacheStatistics::kHistory];
    return;
  }
  ++statistics[CacheStatistics::kUrl];
  uint64_t size = (static_cast<uint64_t>(entry.sizeHigh) << 32) | entry.sizeLow;
  statistics.bytes += size;
  statistics.bytesOnDisk += SizeOnDisk(size, clusterSize);
  if (NamesHtml(HeaderText(entry), variant)) ++statistics[CacheStatistics::kHtml];
  if (variant != TallyVariant::AccessOrder) TallyProtocol(statistics, entry.sourceUrl);
  if (auto counter = ClassifyUrlExtension(entry.sourceUrl)) ++statistics[*counter];
}

uint64_t SizeOnDisk(uint64_t size, uint32_t clusterSize) {
  if (clusterSize == 0) return 0;
  uint64_t clusters = size / clusterSize + (size % clusterSize != 0 ? 1 : 0);
  return clusters * clusterSize;
}

uint32_t ReadClusterSize(const std::filesystem::path& storeFolder) {
  struct statvfs volume {};
  if (statvfs(storeFolder.c_str(), &volume) != 0) return 0;
  unsigned long unit = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
  return unit <= UINT32_MAX ? static_cast<uint32_t>(unit) : 0;
}

}  // namespace vantry::cache

// Stands in for the statistics texts of the cache library until the frame is linked with
// them; PropertiesBoxText then returns PropertiesText(statistics).
#include "PropertiesText.h"

#include <cstdio>
#include <utility>

std::string PropertiesBoxText(const CacheStatistics& statistics) {
  using C = CacheStatistics;
  if (statistics[C::kTotal] == 0) return "You must first expand the cached Url's before Properties is valid";
  const std::pair<const char*, C::Counter> rows[] = {
      {"Total Cache Entries: ", C::kTotal},          {"Cache Entries URL: ", C::kUrl},
      {"Cache Entries Cookie: ", C::kCookie},        {"Cache Entries History: ", C::kHistory},
      {"Cache Entries FTP: ", C::kFtp},              {"Cache Entries HTTP: ", C::kHttp},
      {"Cache Entries Gif: ", C::kGif},              {"Cache Entries JPEG: ", C::kJpeg},
      {"Cache Entries png: ", C::kPng},              {"Cache Entries Au: ", C::kAu},
      {"Cache Entries AIFF: ", C::kAiff},            {"Cache Entries XBM: ", C::kXbm},
      {"Cache Entries ActiveX: ", C::kActiveX},      {"Cache Entries Javascript: ", C::kJavascript},
      {"Cache Entries Java: ", C::kJava},            {"Cache Entries Style Sheet: ", C::kStyleSheet},
      {"Cache Entries html: ", C::kHtml},
  };
  std::string text;
  int row = 0;
  for (const auto& [label, counter] : rows)
    text += label + std::to_string(statistics[counter]) + (row++ < 3 ? "\n" : " \n");
  char usage[96];
  std::snprintf(usage, sizeof usage, "Cache uses : %0.3f MBytes actually %0.3f MBytes",
                statistics[C::kBytes] * 0.000001, statistics[C::kBytesOnDisk] * 0.000001);
  return text + usage;
}

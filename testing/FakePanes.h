#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/services/EntryPanes.h"

namespace vantry::testing {

// Panes that log each call as one line, e.g. "properties http://a/" or "bytes " (cleared).
class FakePanes : public cache::EntryPanes {
 public:
  void ShowCurrentEntry(const cache::CurrentEntry& current) override {
    calls.push_back("show " + current.address + " | " + current.localFileName);
  }
  void ShowEntryProperties(const cache::CacheEntry& entry) override {
    calls.push_back("properties " + entry.sourceUrl);
  }
  void ShowStatistics(const cache::CacheStatistics& statistics) override {
    shownStatistics = statistics;
    calls.push_back("statistics");
  }
  void ShowCookieText(std::string_view text) override { calls.push_back("cookie text " + std::string(text)); }
  void ShowCookieBytes(std::string_view bytes) override { calls.push_back("bytes " + std::string(bytes)); }
  void ShowEntryFile(std::string_view path) override { calls.push_back("file " + std::string(path)); }
  void DecodeCookieFile(std::string_view bytes) override {
    decodedBytes = std::string(bytes);
    calls.push_back("decode " + std::to_string(bytes.size()));
  }

  std::vector<std::string> calls;
  cache::CacheStatistics shownStatistics;
  std::string decodedBytes;
};

}  // namespace vantry::testing

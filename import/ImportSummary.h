#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vantry::import {

// The reason counted for an entry, visit or cookie that the store refused to take.
inline constexpr const char* kStoreRefused = "the store could not take it";

// Counts of what one import brought into the store, left out, and why.
struct ImportSummary {
  size_t entriesAdded = 0;
  size_t entriesUpdated = 0;
  size_t entriesUnchanged = 0;
  size_t entriesStoreHasNewer = 0;      // the store holds a more recently fetched copy
  size_t entriesInOtherPartitions = 0;  // older copies of a URL kept under another partition
  size_t bodiesDecoded = 0;
  size_t bodiesLeftEncoded = 0;
  std::map<std::string, size_t> entriesSkipped;  // reason -> count

  size_t visitsImported = 0;
  size_t visitsUnchanged = 0;
  std::map<std::string, size_t> visitsSkipped;

  size_t cookiesImported = 0;
  size_t cookiesInOtherPartitions = 0;
  size_t cookiesWithoutValue = 0;  // encrypted with the desktop keyring
  std::map<std::string, size_t> cookiesSkipped;

  // Sources that could not be read at all (a missing cache folder, a damaged database).
  std::vector<std::string> problems;
  // Asked to stop (StoreOptions::keepGoing) before the end: visits and cookies were not read.
  bool stopped = false;

  size_t entriesImported() const { return entriesAdded + entriesUpdated; }
  // Entries, visits and cookies that the store refused.
  size_t storeRefusals() const;
};

// Writes the summary lines: one line each for cache entries, visits and cookies, with
// the reasons for anything skipped and the problems underneath.
void PrintSummary(const ImportSummary& summary, std::ostream& out);

size_t Total(const std::map<std::string, size_t>& counts);

}  // namespace vantry::import

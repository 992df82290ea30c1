#pragma once

#include <memory>
#include <string>

#include "app/AppSettings.h"
#include "app/CacheCommandWiring.h"

namespace vantry::app {

// The list tabs' records and recording panes for the wiring tests. They live in a source
// file of their own: their current-entry record cannot meet the frame's headers in one file.
class CacheRecordsDouble {
 public:
  CacheRecordsDouble();
  ~CacheRecordsDouble();

  // Inputs over these records; the functions and paths are left for the test.
  CacheCommandInputs Inputs(cache::UrlCacheStore& store, cache::FrameServices& frame, AppSettings& settings);
  void SetCurrent(const std::string& address, const std::string& localFile);
  std::string CurrentLocalFile() const;

 private:
  struct Records;
  std::unique_ptr<Records> records_;
};

}  // namespace vantry::app

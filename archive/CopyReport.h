#pragma once

#include <string>
#include <vector>

namespace vantry::archive {

// What a copy did, for callers that list it (the console tool).
struct CopyReport {
  struct File {
    std::string url;
    std::string localPath;
  };
  std::vector<File> copied;            // in the order written
  std::vector<std::string> notCopied;  // addresses whose file could not be written
  bool brokenOff = false;              // stopped before the end (nothing more was written)
};

}  // namespace vantry::archive

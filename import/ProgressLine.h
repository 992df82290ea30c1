#pragma once

#include <cstddef>
#include <ostream>

namespace vantry::import {

// A one-line progress report, rewritten in place, for imports of many entries.
class ProgressLine {
 public:
  ProgressLine(std::ostream& out, size_t total, size_t showFrom)
      : out_(out), total_(total), shown_(total >= showFrom) {}
  ~ProgressLine() {
    if (shown_) out_ << "\n" << std::flush;
  }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Step(size_t done) {
    if (shown_ && (done % 500 == 0 || done == total_))
      out_ << "\rImporting cache entries: " << done << " of " << total_ << std::flush;
  }

 private:
  std::ostream& out_;
  size_t total_;
  bool shown_;
};

}  // namespace vantry::import

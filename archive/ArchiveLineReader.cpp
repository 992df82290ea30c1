#include "archive/ArchiveLineReader.h"

namespace vantry::archive {

std::optional<std::string> ArchiveLineReader::Next() {
  if (pos_ >= text_.size()) return std::nullopt;
  std::string line;
  while (pos_ < text_.size() && line.size() < kMaxLine) {
    const char c = text_[pos_++];
    if (c == '\n') break;
    if (c == '\r') continue;
    line.push_back(c);
    if (c == '\x1A') break;
  }
  return line;
}

}  // namespace vantry::archive

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantry::archive {

// Splits the text of an archive file into lines: a line ends at a line feed (dropped), at a
// Ctrl-Z (0x1A, kept in the line) or at the end; carriage returns are dropped; a line longer
// than 767 characters is cut there and its remainder comes back as the next line.
class ArchiveLineReader {
 public:
  static constexpr std::size_t kMaxLine = 767;

  explicit ArchiveLineReader(std::string_view text) : text_(text) {}

  // The next line, or nothing at the end of the text.
  std::optional<std::string> Next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace vantry::archive

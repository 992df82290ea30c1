#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantry::files {

enum class ReadOutcome { kRead, kCannotOpen, kReadError, kNotClosed };

// Reads the whole content of a file as bytes into `bytes`. kNotClosed: everything was read but
// closing the file failed. A folder cannot be read.
ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes);

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The first `limit` bytes of a file (all of a shorter one), or nothing when it cannot be opened
// or read.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit);

enum class Durability { kCached, kSynced };

// Creates or truncates `path` and writes `bytes`; false, with no file left behind, when that
// fails. kSynced also flushes the data to the disk before returning, so that a later rename of
// the file cannot expose an empty file after a crash.
bool WriteWholeFile(const std::string& path, std::string_view bytes, Durability durability = Durability::kCached);

// Writes all of `bytes` to the open file `fd`, going on after interruptions.
bool WriteAll(int fd, std::string_view bytes);

// Appends `line` to `path` (created when missing) in one write, so that lines of concurrent
// appends never interleave.
bool AppendToFile(const std::string& path, std::string_view line);

}  // namespace vantry::files

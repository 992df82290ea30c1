#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantry::archive {

enum class ReadOutcome { kRead, kCannotOpen, kReadError, kNotClosed };

// Reads the whole content of a file as bytes into `bytes`. kNotClosed: everything was read but
// closing the file failed.
ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes);

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

enum class Durability { kCached, kSynced };

// Creates or truncates `path` and writes `bytes`. kSynced also flushes the data to the disk
// before returning, so that a later rename of the file cannot expose an empty file after a crash.
bool WriteWholeFile(const std::string& path, std::string_view bytes,
                    Durability durability = Durability::kCached);

// Appends `line` to `path` (created when missing) in one write, so that lines of concurrent
// appends never interleave.
bool AppendToFile(const std::string& path, std::string_view line);

// Makes the finished `temp` the new `file` with one atomic rename, so that `file` exists at every
// moment; the previous version of `file` (if any) becomes `backup`, replacing an older backup.
// REQUIRES: all three paths lie on one file system.
bool ReplaceKeepingBackup(const std::string& file, const std::string& temp,
                          const std::string& backup);

// The folder part of a path (text before the last '/'), "." when there is none.
std::string FolderOf(const std::string& path);

}  // namespace vantry::archive

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"

namespace vantry::archive {

// A recorded folder page: the folder prefix of its address and its name below the copy's folder.
struct ReplacementPair {
  std::string search;
  std::string replacement;
  bool operator==(const ReplacementPair&) const = default;
};

// One line of change.log, "server\tfolder-prefix\trelative-name": the local name that stands
// for a folder address of the server.
struct ChangeLogRecord {
  std::string server;
  std::string folderPrefix;  // e.g. "/a/b/"
  std::string relativeName;  // e.g. "a/b.html"
  bool operator==(const ChangeLogRecord&) const = default;
};

// Appends the record to change.log, the server in lower case. Returns false when change.log
// cannot be opened ("Write: Error opening Change Log file !!").
bool AppendChangeLogRecord(const ArchivePaths& paths, const ChangeLogRecord& record, UserPrompt& prompt);

// The record of one line: three fields separated by tabs, blanks around them ignored and empty
// fields (doubled tabs) skipped; a line without three such fields is read at its runs of blanks.
// Nothing when the line holds fewer than three fields.
std::optional<ChangeLogRecord> ReadChangeLogRecord(std::string_view line);

// The (folder prefix, relative name) pairs that change.log records for `server` (compared
// ignoring case), in file order; none when it cannot be opened (reported as above).
std::vector<ReplacementPair> LoadChangeLogPairs(const ArchivePaths& paths, const std::string& server,
                                                UserPrompt& prompt);

}  // namespace vantry::archive

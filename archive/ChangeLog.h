#pragma once

#include <string>
#include <vector>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"

namespace vantry::archive {

// A link translation: every `search` text that ends an attribute value becomes `replacement`.
struct ReplacementPair {
  std::string search;
  std::string replacement;
  bool operator==(const ReplacementPair&) const = default;
};

// Appends "server\tfolder-prefix\trelative-name" to change.log, the server in lower case.
// Returns false when change.log cannot be opened ("Write: Error opening Change Log file !!").
bool AppendChangeLogRecord(const ArchivePaths& paths, const std::string& server,
                           const std::string& folderPrefix, const std::string& relativeName,
                           UserPrompt& prompt);

// The (folder prefix, relative name) pairs that change.log records for `server` (compared
// ignoring case), in file order; none when it cannot be opened (reported as above).
std::vector<ReplacementPair> LoadChangeLogPairs(const ArchivePaths& paths,
                                                const std::string& server, UserPrompt& prompt);

}  // namespace vantry::archive

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"

namespace vantry::archive {

// One line of Allfile.dbx: "address local-path code", split at the first two blanks.
struct CopyRecord {
  std::string address;
  std::string localPath;
  std::string rest;  // the code ("cprx" for tree copies)
  bool operator==(const CopyRecord&) const = default;
};

// Appends one record; returns false when Allfile.dbx cannot be opened
// ("Write: Error opening History file !!" / "Vantry").
bool AppendCopyRecord(const ArchivePaths& paths, const std::string& address, const std::string& localPath,
                      const std::string& code, UserPrompt& prompt);
// Appends several records with one write (one line each), as above.
bool AppendCopyRecords(const ArchivePaths& paths, const std::vector<CopyRecord>& records, UserPrompt& prompt);

// The record of one line, or nothing when the line holds fewer than two blanks. An address or
// path containing a blank is split there.
std::optional<CopyRecord> ReadCopyRecord(std::string_view line);

// Every record of Allfile.dbx in file order, or nothing when it cannot be read.
std::optional<std::vector<CopyRecord>> ReadCopyRecords(const ArchivePaths& paths);

// Content search of one copied page (only paths whose extension begins with ".htm"): on the
// first occurrence of `word` that has a blank somewhere before it, adds
// path + " :   " + the text from that last blank up to the next '.'. Returns whether it added.
bool SearchLocalCopy(const std::string& localPath, std::string_view word, bool caseSensitive,
                     std::vector<std::string>& results);

}  // namespace vantry::archive

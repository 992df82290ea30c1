#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchivePaths.h"
#include "archive/CopyFlags.h"
#include "archive/UserPrompt.h"

namespace vantry::archive {

// One line of Histfile.dbx: "server\tdestination\tcode\tflags\tnumber\tcomment".
struct HistoryRecord {
  std::string server;       // host of the copied site
  std::string destination;  // folder of the copy
  std::string code = "tx";
  std::int32_t flags = 0;  // the CopyFlags of the copy
  std::int32_t number = 55;
  std::string comment;  // the rest of the line, TABs included
  bool operator==(const HistoryRecord&) const = default;
};

// The record of one line, or nothing when the line has fewer than five TABs.
std::optional<HistoryRecord> ParseHistoryRecord(std::string_view line);
// The line of a record, line feed included.
std::string FormatHistoryRecord(const HistoryRecord& record);

// Replaces the record of `server` (compared ignoring case) by a new last record, keeping the
// previous file as Histfile.bak; Histfile.dbx exists at every moment. Code and number carry over
// from the last record of the old file. Returns false (and changes nothing) when the files
// cannot be opened ("Write: Error opening History file !!" / "Vantry").
bool WriteHistoryRecord(const ArchivePaths& paths, const std::string& server, const std::string& destination,
                        CopyFlags flags, const std::string& comment, UserPrompt& prompt);

// The first record whose server equals `server` ignoring case, or nothing.
std::optional<HistoryRecord> FindServerRecord(const ArchivePaths& paths, const std::string& server, UserPrompt& prompt);

struct HistorySearch {
  std::string addressText{};  // sought in the server field in address mode
  std::string commentText{};  // sought in the comment field otherwise
  bool caseSensitive = false;
  bool addressMode = false;
};

// Adds "server : comment" to `results` for every record whose chosen field contains the text.
void SearchHistory(const ArchivePaths& paths, const HistorySearch& search, std::vector<std::string>& results,
                   UserPrompt& prompt);

}  // namespace vantry::archive

#include "archive/HistoryFile.h"

#include <array>
#include <cstdlib>

#include "archive/ArchiveLineReader.h"
#include "archive/ReplaceKeepingBackup.h"
#include "files/WholeFile.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr const char* kTitle = "Vantry";

std::int32_t DecimalOf(std::string_view field) {
  return static_cast<std::int32_t>(std::strtol(std::string(field).c_str(), nullptr, 10));
}

// Reads Histfile.dbx for a lookup or search, reporting failures; nothing when unusable.
std::optional<std::string> ReadHistoryForLookup(const ArchivePaths& paths, UserPrompt& prompt) {
  std::string text;
  switch (files::ReadWholeFile(paths.history, text)) {
    case files::ReadOutcome::kRead:
      return text;
    case files::ReadOutcome::kCannotOpen:
      prompt.Tell("Read: Couldn't open History file !!", kTitle);
      return std::nullopt;
    case files::ReadOutcome::kReadError:
      prompt.Tell("Error reading HistFile!", kTitle);
      return std::nullopt;
    case files::ReadOutcome::kNotClosed:
      prompt.Tell("Stream not closed", kTitle);
      return text;
  }
  return std::nullopt;
}

std::vector<HistoryRecord> RecordsOf(std::string_view text) {
  std::vector<HistoryRecord> records;
  ArchiveLineReader reader(text);
  while (std::optional<std::string> line = reader.Next()) {
    if (std::optional<HistoryRecord> record = ParseHistoryRecord(*line)) {
      records.push_back(std::move(*record));
    }
  }
  return records;
}

}  // namespace

std::optional<HistoryRecord> ParseHistoryRecord(std::string_view line) {
  std::array<std::string_view, 5> fields;
  for (std::string_view& field : fields) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    field = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  return HistoryRecord{std::string(fields[0]), std::string(fields[1]), std::string(fields[2]),
                       DecimalOf(fields[3]),   DecimalOf(fields[4]),   std::string(line)};
}

std::string FormatHistoryRecord(const HistoryRecord& record) {
  return record.server + '\t' + record.destination + '\t' + record.code + '\t' + std::to_string(record.flags) + '\t' +
         std::to_string(record.number) + '\t' + record.comment + '\n';
}

bool WriteHistoryRecord(const ArchivePaths& paths, const std::string& server, const std::string& destination,
                        CopyFlags flags, const std::string& comment, UserPrompt& prompt) {
  const std::optional<std::string> oldText = files::ReadWholeFile(paths.history);
  std::string newText;
  HistoryRecord added{text::OnOneLine(server), text::OnOneLine(destination), "tx", static_cast<std::int32_t>(flags), 55,
                      text::OnOneLine(comment)};
  if (oldText) {
    for (const HistoryRecord& record : RecordsOf(*oldText)) {
      if (!text::EqualsNoCase(record.server, server)) newText += FormatHistoryRecord(record);
      added.code = record.code;
      added.number = record.number;
    }
  }
  newText += FormatHistoryRecord(added);
  if (!oldText || !files::WriteWholeFile(paths.historyTemp, newText, files::Durability::kSynced)) {
    prompt.Tell("Write: Error opening History file !!", kTitle);
    return false;
  }
  return ReplaceKeepingBackup(paths.history, paths.historyTemp, paths.historyBackup);
}

std::optional<HistoryRecord> FindServerRecord(const ArchivePaths& paths, const std::string& server,
                                              UserPrompt& prompt) {
  const std::optional<std::string> text = ReadHistoryForLookup(paths, prompt);
  if (!text) return std::nullopt;
  for (HistoryRecord& record : RecordsOf(*text)) {
    if (text::EqualsNoCase(record.server, server)) return std::move(record);
  }
  return std::nullopt;
}

void SearchHistory(const ArchivePaths& paths, const HistorySearch& search, std::vector<std::string>& results,
                   UserPrompt& prompt) {
  const std::optional<std::string> text = ReadHistoryForLookup(paths, prompt);
  if (!text) return;
  const std::string& sought = search.addressMode ? search.addressText : search.commentText;
  for (const HistoryRecord& record : RecordsOf(*text)) {
    const std::string& field = search.addressMode ? record.server : record.comment;
    const bool hit =
        search.caseSensitive ? field.find(sought) != std::string::npos : text::ContainsNoCase(field, sought);
    if (hit) results.push_back(record.server + " : " + record.comment);
  }
}

}  // namespace vantry::archive

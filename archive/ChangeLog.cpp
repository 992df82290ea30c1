#include "archive/ChangeLog.h"

#include <optional>

#include "archive/ArchiveLineReader.h"
#include "files/WholeFile.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr const char* kCannotOpen = "Write: Error opening Change Log file !!";

}  // namespace

bool AppendChangeLogRecord(const ArchivePaths& paths, const ChangeLogRecord& record, UserPrompt& prompt) {
  const std::string line = text::OnOneLine(text::ToLowerAscii(record.server)) + '\t' +
                           text::OnOneLine(record.folderPrefix) + '\t' + text::OnOneLine(record.relativeName) + '\n';
  if (files::AppendToFile(paths.changeLog, line)) return true;
  prompt.Tell(kCannotOpen, "Vantry");
  return false;
}

std::vector<ReplacementPair> LoadChangeLogPairs(const ArchivePaths& paths, const std::string& server,
                                                UserPrompt& prompt) {
  std::vector<ReplacementPair> pairs;
  const std::optional<std::string> text = files::ReadWholeFile(paths.changeLog);
  if (!text) {
    prompt.Tell(kCannotOpen, "Vantry");
    return pairs;
  }
  ArchiveLineReader reader(*text);
  while (std::optional<std::string> line = reader.Next()) {
    std::optional<ChangeLogRecord> record = ReadChangeLogRecord(*line);
    if (record && text::EqualsNoCase(record->server, server))
      pairs.push_back({std::move(record->folderPrefix), std::move(record->relativeName)});
  }
  return pairs;
}

std::optional<ChangeLogRecord> ReadChangeLogRecord(std::string_view line) {
  // Fields separated by tabs (paths may hold blanks), else, for lines written by hand or by
  // older programs, by runs of blanks.
  for (const std::string_view separators : {std::string_view("\t"), std::string_view(" \t")}) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at <= line.size() && fields.size() < 3;) {
      std::size_t end = line.find_first_of(separators, at);
      if (end == std::string_view::npos) end = line.size();
      std::string_view field = line.substr(at, end - at);
      while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
      while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
      if (!field.empty()) fields.push_back(field);
      at = end + 1;
    }
    if (fields.size() == 3) {
      return ChangeLogRecord{std::string(fields[0]), std::string(fields[1]), std::string(fields[2])};
    }
  }
  return std::nullopt;
}

}  // namespace vantry::archive

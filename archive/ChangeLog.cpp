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
  // Fields are split at TABs, so a blank inside a folder name cannot shift later records.
  const std::size_t first = line.find('\t');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find('\t', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::size_t third = line.find('\t', second + 1);
  const std::size_t thirdEnd = third == std::string_view::npos ? line.size() : third;
  return ChangeLogRecord{std::string(line.substr(0, first)), std::string(line.substr(first + 1, second - first - 1)),
                         std::string(line.substr(second + 1, thirdEnd - second - 1))};
}

}  // namespace vantry::archive

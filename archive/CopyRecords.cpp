#include "archive/CopyRecords.h"

#include "archive/ArchiveLineReader.h"
#include "files/WholeFile.h"
#include "text/AsciiText.h"

namespace vantry::archive {

bool AppendCopyRecord(const ArchivePaths& paths, const std::string& address, const std::string& localPath,
                      const std::string& code, UserPrompt& prompt) {
  return AppendCopyRecords(paths, {{address, localPath, code}}, prompt);
}

bool AppendCopyRecords(const ArchivePaths& paths, const std::vector<CopyRecord>& records, UserPrompt& prompt) {
  if (records.empty()) return true;
  std::string lines;
  for (const CopyRecord& record : records) {
    lines.append(text::OnOneLine(record.address)).append(" ").append(text::OnOneLine(record.localPath)).append(" ");
    lines.append(text::OnOneLine(record.rest)).append("\n");
  }
  if (files::AppendToFile(paths.copies, lines)) return true;
  prompt.Tell("Write: Error opening History file !!", "Vantry");
  return false;
}

std::optional<CopyRecord> ReadCopyRecord(std::string_view line) {
  const std::size_t first = line.find(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find(' ', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  return CopyRecord{std::string(line.substr(0, first)), std::string(line.substr(first + 1, second - first - 1)),
                    std::string(line.substr(second + 1))};
}

std::optional<std::vector<CopyRecord>> ReadCopyRecords(const ArchivePaths& paths) {
  const std::optional<std::string> text = files::ReadWholeFile(paths.copies);
  if (!text) return std::nullopt;
  std::vector<CopyRecord> records;
  ArchiveLineReader reader(*text);
  while (std::optional<std::string> line = reader.Next()) {
    if (std::optional<CopyRecord> record = ReadCopyRecord(*line)) records.push_back(*record);
  }
  return records;
}

bool SearchLocalCopy(const std::string& localPath, std::string_view word, bool caseSensitive,
                     std::vector<std::string>& results) {
  const std::size_t dot = localPath.rfind('.');
  if (dot == std::string::npos || !text::StartsWithNoCase(std::string_view(localPath).substr(dot), ".htm")) {
    return false;
  }
  const std::optional<std::string> text = files::ReadWholeFile(localPath);
  if (!text) return false;
  const std::size_t hit = caseSensitive ? text->find(word) : text::FindNoCase(*text, word);
  if (hit == std::string::npos || hit == 0) return false;
  const std::size_t blank = text->rfind(' ', hit - 1);
  if (blank == std::string::npos) return false;
  std::string found = localPath + " :   ";
  const std::size_t nextDot = text->find('.', blank);
  if (nextDot != std::string::npos) found += text->substr(blank, nextDot - blank);
  results.push_back(std::move(found));
  return true;
}

}  // namespace vantry::archive

#include "archive/ChangeLog.h"

#include <optional>

#include "archive/ArchiveLineReader.h"
#include "files/WholeFile.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr const char* kCannotOpen = "Write: Error opening Change Log file !!";

}  // namespace

bool AppendChangeLogRecord(const ArchivePaths& paths, const std::string& server,
                           const std::string& folderPrefix, const std::string& relativeName,
                           UserPrompt& prompt) {
  const std::string line = text::OnOneLine(text::ToLowerAscii(server)) + '\t' + text::OnOneLine(folderPrefix) +
                           '\t' + text::OnOneLine(relativeName) + '\n';
  if (files::AppendToFile(paths.changeLog, line)) return true;
  prompt.Tell(kCannotOpen, "Vantry");
  return false;
}

std::vector<ReplacementPair> LoadChangeLogPairs(const ArchivePaths& paths,
                                                const std::string& server, UserPrompt& prompt) {
  std::vector<ReplacementPair> pairs;
  const std::optional<std::string> text = files::ReadWholeFile(paths.changeLog);
  if (!text) {
    prompt.Tell(kCannotOpen, "Vantry");
    return pairs;
  }
  // Fields are split at TABs, so a blank inside a folder name cannot shift later records.
  ArchiveLineReader reader(*text);
  while (std::optional<std::string> line = reader.Next()) {
    const std::size_t first = line->find('\t');
    if (first == std::string::npos) continue;
    const std::size_t second = line->find('\t', first + 1);
    if (second == std::string::npos) continue;
    if (!text::EqualsNoCase(std::string_view(*line).substr(0, first), server)) continue;
    const std::size_t third = line->find('\t', second + 1);
    const std::size_t thirdEnd = third == std::string::npos ? line->size() : third;
    pairs.push_back({line->substr(first + 1, second - first - 1),
                     line->substr(second + 1, thirdEnd - second - 1)});
  }
  return pairs;
}

}  // namespace vantry::archive

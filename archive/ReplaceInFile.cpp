#include "archive/ReplaceInFile.h"

#include <optional>

#include "archive/ReplaceKeepingBackup.h"
#include "files/WholeFile.h"

namespace vantry::archive {

std::string ReplacementTempPath(const std::string& path) { return FolderOf(path) + "/$$$$.ERS"; }

std::string ReplacementBackupPath(const std::string& path) {
  const std::size_t nameStart = path.rfind('/') + 1;  // npos + 1 == 0
  const std::size_t dot = path.rfind('.');
  const bool has_extension = dot != std::string::npos && dot >= nameStart;
  return (has_extension ? path.substr(0, dot) : path) + ".bak";
}

bool ReplaceInFile(const std::string& path, std::string_view search, std::string_view replacement) {
  if (search == replacement || search.empty()) return true;
  const std::optional<std::string> oldText = files::ReadWholeFile(path);
  if (!oldText) return false;
  std::string newText;
  newText.reserve(oldText->size());
  std::size_t copied = 0;
  for (std::size_t hit = oldText->find(search); hit != std::string::npos; hit = oldText->find(search, copied)) {
    newText.append(*oldText, copied, hit - copied).append(replacement);
    copied = hit + search.size();
  }
  newText.append(*oldText, copied);
  const std::string temp = ReplacementTempPath(path);
  if (!files::WriteWholeFile(temp, newText)) return false;
  return ReplaceKeepingBackup(path, temp, ReplacementBackupPath(path));
}

}  // namespace vantry::archive

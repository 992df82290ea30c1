#include "archive/ReplaceInFile.h"

#include <optional>

#include "files/WholeFile.h"
#include "archive/ReplaceKeepingBackup.h"

namespace vantry::archive {

std::string ReplacementTempPath(const std::string& path) { return FolderOf(path) + "/$$$$.ERS"; }

std::string ReplacementBackupPath(const std::string& path) {
  const std::size_t name_start = path.rfind('/') + 1;  // npos + 1 == 0
  const std::size_t dot = path.rfind('.');
  const bool has_extension = dot != std::string::npos && dot >= name_start;
  return (has_extension ? path.substr(0, dot) : path) + ".bak";
}

bool ReplaceInFile(const std::string& path, std::string_view search, std::string_view replacement) {
  if (search == replacement || search.empty()) return true;
  const std::optional<std::string> old_text = files::ReadWholeFile(path);
  if (!old_text) return false;
  std::string new_text;
  new_text.reserve(old_text->size());
  std::size_t copied = 0;
  for (std::size_t hit = old_text->find(search); hit != std::string::npos;
       hit = old_text->find(search, copied)) {
    new_text.append(*old_text, copied, hit - copied).append(replacement);
    copied = hit + search.size();
  }
  new_text.append(*old_text, copied);
  const std::string temp = ReplacementTempPath(path);
  if (!files::WriteWholeFile(temp, new_text)) return false;
  return ReplaceKeepingBackup(path, temp, ReplacementBackupPath(path));
}

}  // namespace vantry::archive

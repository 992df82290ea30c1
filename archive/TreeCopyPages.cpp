#include "archive/TreeCopyPages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "files/WholeFile.h"

namespace vantry::archive {
namespace {

bool IsReadableFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ::close(fd);
  return regular;
}

}  // namespace

bool TreeCopyPages::Reserve(const std::string& source, const std::string& local_path) {
  if (!IsReadableFile(source)) return false;
  const int fd = ::open(local_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  ::close(fd);
  if (source_of_.insert_or_assign(local_path, source).second) local_paths_.push_back(local_path);
  return true;
}

void TreeCopyPages::WriteUnchanged() const {
  for (const std::string& local_path : local_paths_) {
    std::error_code ignored;
    std::filesystem::copy_file(source_of_.at(local_path), local_path,
                               std::filesystem::copy_options::overwrite_existing, ignored);
  }
}

void TreeCopyPages::WriteTranslated(const LinkTranslation& translation, bool blank_anchor_slashes,
                                    const std::string& local_prefix) const {
  for (const std::string& local_path : local_paths_) {
    std::optional<std::string> text = files::ReadWholeFile(source_of_.at(local_path));
    if (!text) continue;
    translation.Apply(*text);
    if (blank_anchor_slashes) BlankLeadingSlashOfAnchors(*text, local_prefix);
    files::WriteWholeFile(local_path, *text);
  }
}

}  // namespace vantry::archive

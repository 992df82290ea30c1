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

bool TreeCopyPages::Reserve(const std::string& source, const std::string& localPath) {
  if (!IsReadableFile(source)) return false;
  const int fd = ::open(localPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  ::close(fd);
  if (sourceOf_.insert_or_assign(localPath, source).second) localPaths_.push_back(localPath);
  return true;
}

void TreeCopyPages::WriteUnchanged() const {
  for (const std::string& localPath : localPaths_) {
    std::error_code ignored;
    std::filesystem::copy_file(sourceOf_.at(localPath), localPath, std::filesystem::copy_options::overwrite_existing,
                               ignored);
  }
}

void TreeCopyPages::WriteTranslated(const LinkTranslation& translation, bool blankAnchorSlashes,
                                    const std::string& localPrefix) const {
  for (const std::string& localPath : localPaths_) {
    std::optional<std::string> text = files::ReadWholeFile(sourceOf_.at(localPath));
    if (!text) continue;
    translation.Apply(*text);
    if (blankAnchorSlashes) BlankLeadingSlashOfAnchors(*text, localPrefix);
    files::WriteWholeFile(localPath, *text);
  }
}

}  // namespace vantry::archive

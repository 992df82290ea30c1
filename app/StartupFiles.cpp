// Stands in for the archive library's path set and file preparation until the program is
// linked with it; the frame needs only the index page and the history-file outcome.
#include "StartupFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <string_view>

namespace {

bool Readable(const std::filesystem::path& path) { return ::access(path.c_str(), R_OK) == 0; }

// Creates the file with `content` only when nothing is there yet.
bool CreateIfMissing(const std::filesystem::path& path, std::string_view content) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool written = ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  return ::close(fd) == 0 && written;
}

}  // namespace

StartupFiles StartupFilesIn(const std::filesystem::path& workingDirectory) {
  return {workingDirectory / "Histfile.dbx", workingDirectory / "change.log", workingDirectory / "indexfil.htm"};
}

bool PrepareStartupFiles(const StartupFiles& files) {
  if (!Readable(files.changeLog)) CreateIfMissing(files.changeLog, {});
  return Readable(files.history) || CreateIfMissing(files.history, "\x1a");
}

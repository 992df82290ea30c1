#include "files/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vantry::files {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ReadOutcome::kCannotOpen;
  // Read straight into the text: its size is known for a regular file, and it grows while
  // there is more (a file growing meanwhile, or one whose size says nothing).
  struct stat info;
  const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::size_t filled = 0;
  bytes.resize(sized ? static_cast<std::size_t>(info.st_size) + 1 : 65536);
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      bytes.clear();
      return ReadOutcome::kReadError;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return ::close(fd) == 0 ? ReadOutcome::kRead : ReadOutcome::kNotClosed;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string bytes;
  const ReadOutcome outcome = ReadWholeFile(path, bytes);
  if (outcome == ReadOutcome::kCannotOpen || outcome == ReadOutcome::kReadError) {
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, Durability durability) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && durability == Durability::kSynced) ok = ::fsync(fd) == 0;
  if (::close(fd) == 0 && ok) return true;
  ::unlink(path.c_str());
  return false;
}

bool AppendToFile(const std::string& path, std::string_view line) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, line);
  return ::close(fd) == 0 && written;
}

}  // namespace vantry::files

#include "archive/DestinationTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/WholeFile.h"

namespace vantry::archive {
namespace {

// Folders held open at most; beyond it the held ones are closed and opened again when needed.
constexpr std::size_t kHeldFolders = 256;

bool CopyContent(int from, int to) {
  for (;;) {
    const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
    if (copied == 0) return true;
    if (copied > 0) continue;
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    break;  // this pair of file systems cannot: read and write instead
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!files::WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(got)))) return false;
  }
}

// Removes what stands at `name` unless it is a folder; true when the name is free now.
bool RemoveNonFolder(int folderFd, const std::string& name) {
  struct stat info;
  if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  if (S_ISDIR(info.st_mode)) return false;
  return ::unlinkat(folderFd, name.c_str(), 0) == 0 || errno == ENOENT;
}

}  // namespace

DestinationTree::DestinationTree(const std::string& root)
    : root_(root), rootFd_(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

DestinationTree::~DestinationTree() {
  for (const auto& [path, fd] : folderFds_) ::close(fd);
  if (rootFd_ >= 0) ::close(rootFd_);
}

int DestinationTree::OpenFolderBelow(int parentFd, const std::string& name) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) return fd;
    if (errno == ENOENT) {
      if (::mkdirat(parentFd, name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
      continue;
    }
    struct stat info;
    if ((errno == ELOOP || errno == ENOTDIR) && ::fstatat(parentFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(info.st_mode)) {
      // A link where a folder of the copy belongs: the link goes, a real folder takes its place.
      if (::unlinkat(parentFd, name.c_str(), 0) != 0 && errno != ENOENT) return -1;
      continue;
    }
    return -1;
  }
  return -1;
}

int DestinationTree::FolderFd(std::string_view relativeFolders) {
  if (relativeFolders.empty()) return rootFd_;
  const std::string key(relativeFolders);
  if (const auto held = folderFds_.find(key); held != folderFds_.end()) return held->second;
  const std::size_t slash = relativeFolders.rfind('/');
  const int parent = slash == std::string_view::npos ? rootFd_ : FolderFd(relativeFolders.substr(0, slash));
  if (parent < 0) return -1;
  const int fd = OpenFolderBelow(parent, std::string(relativeFolders.substr(slash + 1)));
  if (fd >= 0) folderFds_.emplace(key, fd);
  return fd;
}

bool DestinationTree::MakeFolders(std::string_view relativeFolders, std::string& failedFolder) {
  if (folderFds_.size() > kHeldFolders) {
    for (const auto& [path, fd] : folderFds_) ::close(fd);
    folderFds_.clear();
  }
  if (rootFd_ >= 0 && FolderFd(relativeFolders) >= 0) return true;
  // Name the first level that could not be made.
  std::size_t end = 0;
  do {
    end = relativeFolders.find('/', end + 1);
    if (FolderFd(relativeFolders.substr(0, end)) < 0) break;
  } while (end != std::string_view::npos);
  failedFolder = root_ + "/" + std::string(relativeFolders.substr(0, end));
  return false;
}

int DestinationTree::CreateFile(std::string_view relativePath) {
  const std::size_t slash = relativePath.rfind('/');
  const std::string_view folders = slash == std::string_view::npos ? std::string_view() : relativePath.substr(0, slash);
  const std::string name(relativePath.substr(slash + 1));
  std::string failedFolder;
  if (name.empty() || !MakeFolders(folders, failedFolder)) return -1;
  const int folder = FolderFd(folders);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
      // ELOOP: a link stands there; ENXIO and others: a pipe or socket. Each is replaced.
      if (errno == EISDIR || !RemoveNonFolder(folder, name)) return -1;
      continue;
    }
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1) {
      if (info.st_size == 0 || ::ftruncate(fd, 0) == 0) return fd;
    }
    ::close(fd);
    if (!RemoveNonFolder(folder, name)) return -1;
  }
  return -1;
}

bool DestinationTree::WriteFile(std::string_view relativePath, std::string_view bytes) {
  const int fd = CreateFile(relativePath);
  if (fd < 0) return false;
  const bool written = files::WriteAll(fd, bytes);
  return ::close(fd) == 0 && written;
}

bool DestinationTree::CopyFile(const std::string& source, std::string_view relativePath) {
  const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0) return false;
  struct stat info;
  if (::fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(from);
    return false;
  }
  const int to = CreateFile(relativePath);
  const bool copied = to >= 0 && CopyContent(from, to);
  ::close(from);
  return to >= 0 && ::close(to) == 0 && copied;
}

}  // namespace vantry::archive

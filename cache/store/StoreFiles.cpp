#include "cache/store/StoreFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace vantry::cache {

namespace {

constexpr size_t kMaxNameLength = 80;

bool IsPortable(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
         c == '_' || c == '~' || c == '+';
}

// Writes all of `bytes` to `fd` and closes it; false when either fails.
bool WriteAndClose(int fd, std::string_view bytes) {
  bool ok = true;
  while (ok && !bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) bytes.remove_prefix(static_cast<size_t>(written));
  }
  return (::close(fd) == 0) && ok;
}

constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;

}  // namespace

std::string CacheFileName(std::string_view url) {
  if (size_t scheme = url.find("://"); scheme != std::string_view::npos) {
    url.remove_prefix(scheme + 3);
    size_t pathStart = url.find('/');
    url = pathStart == std::string_view::npos ? std::string_view() : url.substr(pathStart);
  }
  url = url.substr(0, url.find_first_of("?#"));
  std::string_view segment = url.substr(url.rfind('/') == std::string_view::npos ? 0 : url.rfind('/') + 1);
  std::string name;
  for (char c : segment) name += IsPortable(c) ? c : '_';
  if (name.empty() || name == "." || name == "..") return "index.htm";
  if (name.front() == '.') name.insert(name.begin(), '_');
  if (name.size() > kMaxNameLength) {
    std::string extension = FileExtensionOf(name).substr(0, 10);
    name = name.substr(0, kMaxNameLength - extension.size() - 1) + (extension.empty() ? "" : "." + extension);
  }
  return name;
}

std::string FileExtensionOf(std::string_view fileName) {
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return std::string(fileName.substr(dot + 1));
}

std::string NumberedFileName(std::string_view name, unsigned number) {
  size_t dot = name.rfind('.');
  if (dot == 0) dot = std::string_view::npos;
  std::string_view stem = name.substr(0, dot);
  std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
  return std::string(stem) + '[' + std::to_string(number) + ']' + std::string(extension);
}

OpenFolder::OpenFolder(const std::filesystem::path& folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)), error_(fd_ < 0 ? errno : 0) {}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(std::exchange(other.error_, EBADF)) {}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    error_ = std::exchange(other.error_, EBADF);
  }
  return *this;
}

OpenFolder::~OpenFolder() {
  if (fd_ >= 0) ::close(fd_);
}

OpenFolder OpenFolder::OpenOrMakeChild(const OpenFolder& parent, const char* name) {
  constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::openat(parent.fd_, name, kFlags);
  if (fd < 0 && errno == ENOENT && (::mkdirat(parent.fd_, name, 0755) == 0 || errno == EEXIST))
    fd = ::openat(parent.fd_, name, kFlags);
  if (fd >= 0) return OpenFolder(fd, 0);
  int error = errno;
  struct stat info;
  if ((error == ELOOP || error == ENOTDIR) && ::fstatat(parent.fd_, name, &info, AT_SYMLINK_NOFOLLOW) == 0)
    error = S_ISLNK(info.st_mode) ? ELOOP : ENOTDIR;
  return OpenFolder(-1, error);
}

bool OpenFolder::Has(const char* name) const {
  struct stat info;
  return ::fstatat(fd_, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
}

OpenFolder::Creation OpenFolder::CreateWholeFile(const char* name, std::string_view bytes, int* error) const {
  int fd = ::openat(fd_, name, kCreateFlags | O_EXCL | O_NOFOLLOW, 0644);
  if (fd >= 0 && WriteAndClose(fd, bytes)) return Creation::Written;
  int cause = errno;
  if (fd < 0 && cause == EEXIST) return Creation::NameTaken;
  if (fd >= 0) ::unlinkat(fd_, name, 0);
  if (error) *error = cause;
  return Creation::Failed;
}

int OpenFolder::ReadFile(const char* name, std::string& bytes) const {
  bytes.clear();
  int fd = ::openat(fd_, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) bytes.reserve(static_cast<size_t>(info.st_size));
  char chunk[16384];
  int error = 0;
  for (;;) {
    ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      error = got < 0 ? errno : 0;
      break;
    }
    bytes.append(chunk, static_cast<size_t>(got));
  }
  ::close(fd);
  return error;
}

int OpenFolder::ReplaceFile(const char* name, std::string_view bytes) const {
  std::string temporary = std::string(name) + ".tmp";
  // Whatever holds the temporary name, a link or another name of a file, goes first.
  if (::unlinkat(fd_, temporary.c_str(), 0) != 0 && errno != ENOENT) return errno;
  int error = 0;
  if (CreateWholeFile(temporary.c_str(), bytes, &error) != Creation::Written) return error ? error : EEXIST;
  if (::renameat(fd_, temporary.c_str(), fd_, name) == 0) return 0;
  error = errno;
  ::unlinkat(fd_, temporary.c_str(), 0);
  return error;
}

int OpenFolder::RemoveFile(const char* name) const { return ::unlinkat(fd_, name, 0) == 0 ? 0 : errno; }

void OpenFolder::RemoveTemporaryFiles() const {
  int listing = fd_ >= 0 ? ::dup(fd_) : -1;
  DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
  if (dir == nullptr) {
    if (listing >= 0) ::close(listing);
    return;
  }
  ::rewinddir(dir);
  std::vector<std::string> temporary;
  while (const dirent* item = ::readdir(dir))
    if (std::string_view(item->d_name).ends_with(".tmp")) temporary.emplace_back(item->d_name);
  ::closedir(dir);
  for (const std::string& name : temporary) ::unlinkat(fd_, name.c_str(), 0);
}

}  // namespace vantry::cache

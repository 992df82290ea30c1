#include "cache/store/StoreFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "files/WholeFile.h"

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

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  if (!files::WriteWholeFile(temporary, bytes)) return false;
  if (::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

OpenFolder::OpenFolder(const std::filesystem::path& folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

OpenFolder::~OpenFolder() {
  if (fd_ >= 0) ::close(fd_);
}

bool OpenFolder::Has(const char* name) const {
  struct stat info;
  return ::fstatat(fd_, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
}

OpenFolder::Creation OpenFolder::CreateWholeFile(const char* name, std::string_view bytes) const {
  int fd = ::openat(fd_, name, kCreateFlags | O_EXCL | O_NOFOLLOW, 0644);
  if (fd < 0) return errno == EEXIST ? Creation::NameTaken : Creation::Failed;
  if (WriteAndClose(fd, bytes)) return Creation::Written;
  ::unlinkat(fd_, name, 0);
  return Creation::Failed;
}

}  // namespace vantry::cache

#include "import/BrowserCacheFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <vector>

#include "import/ProfileImport.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// A process of this host: one we may not signal is alive all the same.
bool ProcessAlive(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

std::optional<pid_t> ParsePid(std::string_view digits) {
  pid_t pid = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return pid;
}

std::optional<std::string> LinkTarget(const fs::path& link) {
  char target[PATH_MAX];
  ssize_t length = ::readlink(link.c_str(), target, sizeof target);
  if (length < 0) return std::nullopt;
  return std::string(target, static_cast<size_t>(length));
}

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  return ::gethostname(name, sizeof name - 1) == 0 ? name : "";
}

// Whether another process holds a lock on `file`.
bool FileLocked(const fs::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  bool locked = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  ::close(fd);
  return locked;
}

// Firefox's "lock" link, "address:+pid".
bool FirefoxLinkHeld(const fs::path& link) {
  std::optional<std::string> target = LinkTarget(link);
  if (!target) return false;
  size_t plus = target->rfind(":+");
  std::optional<pid_t> pid = plus == std::string::npos ? std::nullopt : ParsePid(target->substr(plus + 2));
  return !pid || ProcessAlive(*pid);
}

// Chromium's "SingletonLock" link, "host-pid".
bool SingletonHeld(const fs::path& link) {
  std::optional<std::string> target = LinkTarget(link);
  if (!target) return false;
  size_t dash = target->rfind('-');
  std::optional<pid_t> pid = dash == std::string::npos ? std::nullopt : ParsePid(target->substr(dash + 1));
  if (!pid || target->substr(0, dash) != HostName()) return true;
  return ProcessAlive(*pid);
}

// The folder of an absolute path, opened one folder at a time without following links;
// -1 when one of them is a link, missing or cannot be opened.
int OpenFolderNoLinks(const fs::path& folder) {
  int fd = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (const fs::path& part : folder.relative_path()) {
    if (fd < 0) return -1;
    if (part.empty()) continue;  // a trailing separator
    if (part == "." || part == "..") {
      ::close(fd);
      return -1;
    }
    int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int error = errno;
    ::close(fd);
    errno = error;
    fd = next;
  }
  return fd;
}

// The names of the files an entry file stands for.
std::vector<std::string> FilesOfEntry(BrowserFamily family, const std::string& name) {
  if (family == BrowserFamily::Firefox) return {name};
  std::string hash = name.substr(0, name.size() - 2);
  return {name, hash + "_1", hash + "_s"};
}

}  // namespace

std::optional<BrowserFamily> EntryFileFamily(std::string_view entryFile) {
  fs::path path(entryFile);
  std::string name = path.filename().string();
  if (IsFirefoxEntryFileName(name) && path.parent_path().filename() == "entries") return BrowserFamily::Firefox;
  if (IsSimpleCacheEntryFileName(name)) return BrowserFamily::Chromium;
  return std::nullopt;
}

bool IsProfileInUse(BrowserFamily family, const fs::path& profileFolder) {
  if (family == BrowserFamily::Firefox)
    return FileLocked(profileFolder / ".parentlock") || FirefoxLinkHeld(profileFolder / "lock");
  return SingletonHeld(profileFolder / "SingletonLock") || SingletonHeld(profileFolder.parent_path() / "SingletonLock");
}

EntryRemoval RemoveBrowserCacheEntry(const std::string& entryFile) {
  fs::path path(entryFile);
  std::optional<BrowserFamily> family = EntryFileFamily(entryFile);
  if (!family || !path.is_absolute()) return EntryRemoval::kRefused;
  int folder = OpenFolderNoLinks(path.parent_path());
  if (folder < 0) return errno == ENOENT ? EntryRemoval::kAlreadyGone : EntryRemoval::kRefused;
  // Files that are there and all regular, or nothing is removed.
  std::vector<std::string> present;
  EntryRemoval outcome = EntryRemoval::kRemoved;
  std::vector<std::string> names = FilesOfEntry(*family, path.filename().string());
  for (size_t i = 0; i < names.size(); ++i) {
    struct stat info;
    if (::fstatat(folder, names[i].c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (i == 0) outcome = EntryRemoval::kAlreadyGone;
      continue;
    }
    if (!S_ISREG(info.st_mode)) outcome = EntryRemoval::kRefused;
    present.push_back(names[i]);
  }
  if (outcome == EntryRemoval::kRefused) present.clear();
  for (const std::string& name : present)
    if (::unlinkat(folder, name.c_str(), 0) != 0) outcome = EntryRemoval::kFailed;
  ::close(folder);
  return outcome;
}

}  // namespace vantry::import

#include "tools/rquenz/RewriteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "tools/rquenz/ErrorText.h"
#include "tools/rquenz/StreamSubstituter.h"

namespace rquenz {

namespace {

// Closes a descriptor when its scope ends.
class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() {
    if (fd_ >= 0) close(fd_);
  }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;
  // Closes now, reporting the error a late write may only show here.
  int CloseNow() {
    const int result = close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool RemoveIfPresent(int folderFd, const std::string& name) {
  return unlinkat(folderFd, name.c_str(), 0) == 0 || errno == ENOENT;
}

// Writes the substituted content of `source` into a fresh "tempfil" with the
// source's permission bits. On failure "tempfil" is removed again.
std::string WriteTempFile(int folderFd, int source, const struct stat& sourceInfo, StreamSubstituter& substituter) {
  // Always a new file, never an old "tempfil" or whatever a link of that name
  // points at; one that cannot be removed makes the creation fail.
  constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int temp = openat(folderFd, kTempFileName, kCreate, 0600);
  if (temp < 0 && errno == EEXIST && RemoveIfPresent(folderFd, kTempFileName)) {
    temp = openat(folderFd, kTempFileName, kCreate, 0600);
  }
  if (temp < 0) return ErrorText("cannot create tempfil", errno);
  FdCloser closer(temp);
  std::string error = substituter.Run(source, temp);
  if (error.empty()) {
    // The owner carries over where we may set it (running as root); the mode
    // comes after, since a change of owner clears set-id bits.
    const bool ownedAlike = sourceInfo.st_uid == geteuid() && sourceInfo.st_gid == getegid();
    if (!ownedAlike && fchown(temp, sourceInfo.st_uid, sourceInfo.st_gid) != 0) {
      // Not fatal: the file is then owned by whoever runs the tool.
    }
    if (fchmod(temp, sourceInfo.st_mode & 07777) != 0) error = ErrorText("cannot set mode", errno);
  }
  if (closer.CloseNow() != 0 && error.empty()) error = ErrorText("write failed", errno);
  if (!error.empty()) unlinkat(folderFd, kTempFileName, 0);
  return error;
}

// Moves the finished "tempfil" over `name`, keeping the old file as `backupName`.
// The file of record exists throughout wherever the file system allows it.
std::string CommitWithBackup(int folderFd, const std::string& name, const std::string& backupName) {
  if (!RemoveIfPresent(folderFd, backupName)) {
    return ErrorText("cannot remove old backup " + backupName, errno);
  }
  // Swapping the two names puts the new content in place atomically and leaves
  // the old file under "tempfil", to be renamed to the now free backup name.
  if (renameat2(folderFd, kTempFileName, folderFd, name.c_str(), RENAME_EXCHANGE) == 0) {
    if (renameat(folderFd, kTempFileName, folderFd, backupName.c_str()) == 0) return {};
    const std::string error = ErrorText("cannot make backup " + backupName, errno);
    renameat2(folderFd, kTempFileName, folderFd, name.c_str(), RENAME_EXCHANGE);
    return error;
  }
  // Without swaps, a second name for the old file keeps it in place until the
  // rename replaces it atomically; without hard links either, the old file
  // moves aside for a moment.
  const bool linked = linkat(folderFd, name.c_str(), folderFd, backupName.c_str(), 0) == 0;
  if (!linked && renameat(folderFd, name.c_str(), folderFd, backupName.c_str()) != 0) {
    return ErrorText("cannot make backup " + backupName, errno);
  }
  if (renameat(folderFd, kTempFileName, folderFd, name.c_str()) != 0) {
    const std::string error = ErrorText("cannot rename tempfil", errno);
    if (linked) {
      unlinkat(folderFd, backupName.c_str(), 0);
    } else {
      renameat(folderFd, backupName.c_str(), folderFd, name.c_str());
    }
    return error;
  }
  return {};
}

}  // namespace

std::string BackupName(const std::string& name) { return name.substr(0, name.rfind('.')) + ".bak"; }

std::string ReplaceInFile(int folderFd, const std::string& name, const std::string& backupName,
                          StreamSubstituter& substituter) {
  // Non-blocking so that a named pipe is refused below instead of waited on.
  const int source = openat(folderFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (source < 0) return ErrorText("cannot open", errno);
  FdCloser closer(source);
  struct stat info;
  if (fstat(source, &info) != 0) return ErrorText("cannot read", errno);
  if (!S_ISREG(info.st_mode)) return "not a regular file";
  std::string error = WriteTempFile(folderFd, source, info, substituter);
  if (!error.empty()) return error;
  error = CommitWithBackup(folderFd, name, backupName);
  if (!error.empty()) unlinkat(folderFd, kTempFileName, 0);
  return error;
}

}  // namespace rquenz

#include "tools/rquenz/RewriteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

#include "tools/rquenz/ErrorText.h"
#include "tools/rquenz/StreamSubstituter.h"
#include "tools/rquenz/WriteAll.h"

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

// Opens the file to rewrite into *source and checks that it is a regular file.
// Returns "" or what failed.
std::string OpenSource(int folderFd, const std::string& name, int* source, struct stat* info) {
  // Non-blocking so that a named pipe is refused below instead of waited on.
  *source = openat(folderFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (*source < 0) return ErrorText("cannot open", errno);
  if (fstat(*source, info) != 0) return ErrorText("cannot read", errno);
  if (!S_ISREG(info->st_mode)) return "not a regular file";
  return {};
}

// Writes the new content into a fresh "tempfil" through `fill` (which returns
// "" or what failed) and gives it the source's permission bits. On failure
// "tempfil" is removed again.
using TempFileFill = std::function<std::string(int temp)>;
std::string WriteTempFile(int folderFd, const struct stat& sourceInfo, const TempFileFill& fill) {
  // Always a new file, never an old "tempfil" or whatever a link of that name
  // points at; one that cannot be removed makes the creation fail.
  constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int temp = openat(folderFd, kTempFileName, kCreate, 0600);
  if (temp < 0 && errno == EEXIST && RemoveIfPresent(folderFd, kTempFileName)) {
    temp = openat(folderFd, kTempFileName, kCreate, 0600);
  }
  if (temp < 0) return ErrorText("cannot create tempfil", errno);
  FdCloser closer(temp);
  std::string error = fill(temp);
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

// The whole rewrite once the source is open: the new content into "tempfil",
// then in place with the backup.
std::string ReplaceThroughTempFile(int folderFd, const std::string& name, const std::string& backupName,
                                   const struct stat& sourceInfo, const TempFileFill& fill) {
  std::string error = WriteTempFile(folderFd, sourceInfo, fill);
  if (!error.empty()) return error;
  error = CommitWithBackup(folderFd, name, backupName);
  if (!error.empty()) unlinkat(folderFd, kTempFileName, 0);
  return error;
}

}  // namespace

std::string BackupName(const std::string& name) { return name.substr(0, name.rfind('.')) + ".bak"; }

std::string ReplaceInFile(int folderFd, const std::string& name, const std::string& backupName,
                          StreamSubstituter& substituter) {
  int source = -1;
  struct stat info;
  const std::string error = OpenSource(folderFd, name, &source, &info);
  FdCloser closer(source);
  if (!error.empty()) return error;
  return ReplaceThroughTempFile(folderFd, name, backupName, info,
                                [&](int temp) { return substituter.Run(source, temp); });
}

PreparedRewrite PrepareRewrite(int folderFd, const std::string& name, StreamSubstituter& substituter,
                               SubstitutedBytes buffer) {
  using State = PreparedRewrite::State;
  PreparedRewrite prepared;
  prepared.content = std::move(buffer);
  int source = -1;
  prepared.error = OpenSource(folderFd, name, &source, &prepared.source);
  FdCloser closer(source);
  if (!prepared.error.empty()) {
    prepared.state = State::kSourceFailed;
    return prepared;
  }
  switch (substituter.RunInMemory(source, prepared.content, &prepared.error)) {
    case StreamSubstituter::InMemory::kDone:
      prepared.state = State::kReady;
      break;
    case StreamSubstituter::InMemory::kReadFailed:
      prepared.state = State::kReadFailed;
      break;
    case StreamSubstituter::InMemory::kTooLarge:
      prepared.state = State::kNotPrepared;
      break;
  }
  return prepared;
}

std::string PutRewriteInPlace(int folderFd, const std::string& name, const std::string& backupName,
                              PreparedRewrite& prepared, StreamSubstituter& substituter) {
  using State = PreparedRewrite::State;
  switch (prepared.state) {
    case State::kNotPrepared:
      return ReplaceInFile(folderFd, name, backupName, substituter);
    case State::kSourceFailed:
      return prepared.error;
    case State::kReadFailed:
      // "tempfil" is made and removed again, as when the read fails while it is written.
      return ReplaceThroughTempFile(folderFd, name, backupName, prepared.source, [&](int) { return prepared.error; });
    case State::kReady:
      break;
  }
  return ReplaceThroughTempFile(folderFd, name, backupName, prepared.source, [&](int temp) {
    const int error = WriteAll(temp, prepared.content.bytes.data(), prepared.content.size);
    return error == 0 ? std::string() : ErrorText("write failed", error);
  });
}

}  // namespace rquenz

#include "testing/SystemFaults.h"

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <vector>

namespace vantry::testing {

namespace {

#if defined(__x86_64__)
constexpr __u32 kArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr __u32 kArchitecture = AUDIT_ARCH_AARCH64;
#endif

constexpr __u32 kAllow = SECCOMP_RET_ALLOW;
constexpr __u32 Fail(int error) { return SECCOMP_RET_ERRNO | (static_cast<__u32>(error) & SECCOMP_RET_DATA); }
// The low word of an argument, where a flag word or a file descriptor lies.
constexpr __u32 Argument(int n) { return offsetof(seccomp_data, args) + 8 * n; }

// A filter program: each call fails or passes by its number and, for some, one argument.
class Filter {
 public:
  Filter() {
    Load(offsetof(seccomp_data, arch));
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArchitecture, 1, 0));
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, kAllow));
    Load(offsetof(seccomp_data, nr));
  }
  // Fails the call outright.
  void FailCall(long call, int error) {
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 1));
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, Fail(error)));
  }
  // Fails the call where argument `n` has one of the `flags`.
  void FailWithFlags(long call, int n, __u32 flags, int error) {
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 4));
    Load(Argument(n));
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, flags, 0, 1));
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, Fail(error)));
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, kAllow));
  }
  // Fails the call where its first argument is a descriptor other than 0, 1, 2 and `spared`.
  void FailOnFiles(long call, int spared, int error) {
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 5));
    Load(Argument(0));
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, 3, 0, 2));
    program_.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(spared), 1, 0));
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, Fail(error)));
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, kAllow));
  }
  bool Install() {
    program_.push_back(BPF_STMT(BPF_RET | BPF_K, kAllow));
    sock_fprog filter{static_cast<unsigned short>(program_.size()), program_.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
  }

 private:
  void Load(__u32 offset) { program_.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offset)); }
  std::vector<sock_filter> program_;
};

Filter FilterFor(SystemFault fault, int report) {
  Filter filter;
  switch (fault) {
    case SystemFault::kReadOnlyFileSystem: {
      constexpr __u32 kWriting = O_WRONLY | O_RDWR | O_CREAT | O_TRUNC;
      filter.FailWithFlags(SYS_openat, 2, kWriting, EROFS);
#ifdef SYS_open
      filter.FailWithFlags(SYS_open, 1, kWriting, EROFS);
      for (long call : {SYS_creat, SYS_mkdir, SYS_rmdir, SYS_unlink, SYS_rename, SYS_link, SYS_symlink})
        filter.FailCall(call, EROFS);
#endif
      for (long call : {SYS_mkdirat, SYS_unlinkat, SYS_renameat, SYS_renameat2, SYS_linkat, SYS_symlinkat, SYS_truncate,
                        SYS_fallocate})
        filter.FailCall(call, EROFS);
      break;
    }
    case SystemFault::kDiskFull:
      for (long call : {SYS_write, SYS_pwrite64, SYS_writev, SYS_pwritev, SYS_pwritev2, SYS_fallocate})
        filter.FailOnFiles(call, report, ENOSPC);
      break;
    case SystemFault::kFoldersUnreadable:
      filter.FailWithFlags(SYS_openat, 2, O_DIRECTORY, EACCES);
#ifdef SYS_open
      filter.FailWithFlags(SYS_open, 1, O_DIRECTORY, EACCES);
#endif
      break;
  }
  return filter;
}

bool WriteAllTo(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

// The child's end of the pipe to its parent, which a full disk spares.
int childReport = -1;

}  // namespace

void BringAbout(SystemFault fault) {
  if (!FilterFor(fault, childReport).Install()) ::_exit(126);
}

std::string RunInChild(const std::function<std::string()>& body) {
  int channel[2];
  if (::pipe(channel) != 0) return "<child not started: no pipe>";
  pid_t child = ::fork();
  if (child < 0) return "<child not started>";
  if (child == 0) {
    ::close(channel[0]);
    childReport = channel[1];
    std::string result;
    try {
      result = body();
    } catch (...) {
      ::_exit(125);
    }
    ::_exit(WriteAllTo(channel[1], result) ? 0 : 124);
  }
  ::close(channel[1]);
  std::string result;
  char chunk[4096];
  for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    result.append(chunk, static_cast<size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return "<child failed: status " + std::to_string(status) + "> " + result;
  return result;
}

std::string RunUnderFault(SystemFault fault, const std::function<std::string()>& body) {
  return RunInChild([&] {
    BringAbout(fault);
    return body();
  });
}

}  // namespace vantry::testing

#include "tools/rquenz/tests/ToolRunner.h"

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace rquenz {

namespace fs = std::filesystem;

namespace {

// Makes the listed system calls fail with their errno for this process and
// whatever it executes.
void DenySystemCalls(const std::vector<RunLimits::Denial>& denials) {
  std::vector<sock_filter> program{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
  for (const RunLimits::Denial& denial : denials) {
    program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(denial.systemCall), 0, 1));
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (denial.error & SECCOMP_RET_DATA)));
  }
  program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) != 0) {
    _exit(126);
  }
}

[[noreturn]] void RunChild(const std::string& folder, const std::vector<std::string>& arguments,
                           const RunLimits& limits, int outPipe, int errPipe) {
  dup2(outPipe, STDOUT_FILENO);
  dup2(errPipe, STDERR_FILENO);
  if (limits.fileSizeLimit > 0) {
    // Ignored, the signal turns an oversized write into an EFBIG error.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t size = static_cast<rlim_t>(limits.fileSizeLimit);
    const rlimit limit{size, size};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  std::vector<char*> argv{const_cast<char*>(RQUENZ_BINARY)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  if (chdir(folder.c_str()) != 0) _exit(127);
  if (!limits.denials.empty()) DenySystemCalls(limits.denials);
  execv(RQUENZ_BINARY, argv.data());
  _exit(127);
}

// Reads both pipes to their ends without letting either fill up.
void Drain(int outFd, int errFd, ToolResult& result) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

ToolResult RunRquenz(const std::string& folder, const std::vector<std::string>& arguments, const RunLimits& limits) {
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return {};
  const pid_t child = fork();
  if (child == 0) RunChild(folder, arguments, limits, out[1], err[1]);
  close(out[1]);
  close(err[1]);
  ToolResult result;
  Drain(out[0], err[0], result);
  int status = 0;
  waitpid(child, &status, 0);
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TempTree::TempTree() {
  std::string pattern = ::testing::TempDir() + "rquenz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make " << pattern;
  root_ = fs::canonical(pattern).string();
}

TempTree::~TempTree() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void TempTree::WriteFile(const std::string& relative, const std::string& content, mode_t mode) const {
  fs::create_directories(fs::path(Path(relative)).parent_path());
  std::ofstream(Path(relative), std::ios::binary) << content;
  chmod(Path(relative).c_str(), mode);
}

void TempTree::MakeFolder(const std::string& relative) const { fs::create_directories(Path(relative)); }

std::string TempTree::ReadFile(const std::string& relative) const {
  std::ifstream in(Path(relative), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempTree::Exists(const std::string& relative) const {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(Path(relative), ignored));
}

mode_t TempTree::Mode(const std::string& relative) const {
  struct stat info {};
  stat(Path(relative).c_str(), &info);
  return info.st_mode & 07777;
}

std::vector<std::string> TempTree::Entries() const {
  std::vector<std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_)) {
    std::string relative = fs::relative(entry.path(), root_).string();
    if (entry.is_directory() && !entry.is_symlink()) relative += "/";
    entries.push_back(relative);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

}  // namespace rquenz

#pragma once

#include <sys/types.h>

#include <string>

namespace vantry::testing {

// An anonymous, read-only FTP server on 127.0.0.1 (a free port) serving `root`, run as a
// python3-pyftpdlib child process (Debian's /usr/bin/python3, which has the module) from construction to destruction.
class LocalFtpServer {
 public:
  explicit LocalFtpServer(const std::string& root);
  ~LocalFtpServer();
  LocalFtpServer(const LocalFtpServer&) = delete;
  LocalFtpServer& operator=(const LocalFtpServer&) = delete;

  // "ftp://127.0.0.1:<port>"
  std::string origin() const;

 private:
  pid_t child_ = -1;
  int port_ = 0;
};

}  // namespace vantry::testing

#include "testing/LocalFtpServer.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace vantry::testing {
namespace {

constexpr const char* kServerScript = R"(
import logging, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
logging.disable(logging.CRITICAL)
authorizer = DummyAuthorizer()
authorizer.add_anonymous(sys.argv[1])
FTPHandler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print(server.address[1], flush=True)
server.serve_forever()
)";

}  // namespace

LocalFtpServer::LocalFtpServer(const std::string& root) {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  child_ = ::fork();
  if (child_ == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execl("/usr/bin/python3", "python3", "-c", kServerScript, root.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  FILE* fromChild = ::fdopen(out[0], "r");
  if (child_ < 0 || fromChild == nullptr || std::fscanf(fromChild, "%d", &port_) != 1) {
    if (fromChild) std::fclose(fromChild);
    throw std::runtime_error("cannot start the local FTP server (python3-pyftpdlib)");
  }
  std::fclose(fromChild);
}

LocalFtpServer::~LocalFtpServer() {
  if (child_ > 0) {
    ::kill(child_, SIGTERM);
    ::waitpid(child_, nullptr, 0);
  }
}

std::string LocalFtpServer::origin() const { return "ftp://127.0.0.1:" + std::to_string(port_); }

}  // namespace vantry::testing

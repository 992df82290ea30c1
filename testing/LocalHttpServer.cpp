#include "testing/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace vantry::testing {
namespace {

const char* ReasonOf(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 404:
      return "Not Found";
    default:
      return "Status";
  }
}

void SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listenFd_, 64) != 0 || ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe(wakePipe_) != 0) {
    throw std::runtime_error("cannot start the local HTTP server");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  const char stop = 's';
  (void)!::write(wakePipe_[1], &stop, 1);
  thread_.join();
  ::close(listenFd_);
  ::close(wakePipe_[0]);
  ::close(wakePipe_[1]);
}

void LocalHttpServer::Answer(const std::string& path, int status, const std::string& body) {
  std::lock_guard lock(mutex_);
  routes_[path] = Route{status, body};
}

void LocalHttpServer::AnswerWithHeaders(const std::string& path, const std::string& headers, const std::string& body) {
  std::lock_guard lock(mutex_);
  routes_[path] = Route{200, body, headers};
}

void LocalHttpServer::SetDefaultStatus(int status) {
  std::lock_guard lock(mutex_);
  defaultStatus_ = status;
}

std::string LocalHttpServer::origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> LocalHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LocalHttpServer::Serve() {
  for (;;) {
    pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents != 0) return;
    const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    HandleConnection(client);
    ::close(client);
  }
}

void LocalHttpServer::HandleConnection(int fd) {
  std::string request;
  char chunk[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, 2000) <= 0) return;
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return;
    request.append(chunk, static_cast<std::size_t>(n));
    if (request.front() == '\x16') {  // a TLS handshake: note it and hang up
      std::lock_guard lock(mutex_);
      requests_.push_back("<tls>");
      return;
    }
  }
  const std::size_t pathStart = request.find(' ');
  const std::size_t pathEnd = request.find(' ', pathStart + 1);
  if (pathStart == std::string::npos || pathEnd == std::string::npos) return;
  const std::string path = request.substr(pathStart + 1, pathEnd - pathStart - 1);

  Route route;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(path);
    const auto found = routes_.find(path);
    route = found != routes_.end() ? found->second : Route{defaultStatus_, "none"};
  }
  std::string response =
      "HTTP/1.0 " + std::to_string(route.status) + " " + ReasonOf(route.status) + "\r\n" + route.headers;
  if (route.status >= 300 && route.status < 400) response += "Location: " + origin() + "/\r\n";
  response += "Content-Length: " + std::to_string(route.body.size()) + "\r\n\r\n" + route.body;
  SendAll(fd, response);
}

}  // namespace vantry::testing

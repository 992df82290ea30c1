#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantry::testing {

// A tiny HTTP/1.0 server on 127.0.0.1 (a free port) that answers GET requests from a table of
// paths; unknown paths get the default status (404 unless changed). It runs in its own thread
// from construction to destruction and serves one connection at a time.
class LocalHttpServer {
 public:
  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // Answers GET `path` (path and query as sent) with `status`; 3xx answers carry a Location.
  void Answer(const std::string& path, int status, const std::string& body = "ok");
  // Answers GET `path` with 200, the header lines `headers` (each ending in CRLF, a
  // Content-Type among them) and `body`.
  void AnswerWithHeaders(const std::string& path, const std::string& headers, const std::string& body);
  void SetDefaultStatus(int status);

  int port() const { return port_; }
  // "http://127.0.0.1:<port>"
  std::string origin() const;
  // The request paths received so far, in order ("<tls>" for a TLS handshake, which is refused).
  std::vector<std::string> requests() const;

 private:
  struct Route {
    int status;
    std::string body;
    std::string headers = "Content-Type: text/html\r\n";
  };
  void Serve();
  void HandleConnection(int fd);

  int listenFd_ = -1;
  int wakePipe_[2] = {-1, -1};
  int port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, Route> routes_;
  int defaultStatus_ = 404;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace vantry::testing

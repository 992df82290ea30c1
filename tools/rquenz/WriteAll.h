#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace rquenz {

// Writes all of data; returns 0 or the errno of the failure.
inline int WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t put = write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += put;
    size -= static_cast<size_t>(put);
  }
  return 0;
}

}  // namespace rquenz

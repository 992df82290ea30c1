#include "import/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantry::import {

bool StringByteSource::Read(uint64_t offset, uint64_t length, std::string& out) const {
  if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
  out.assign(bytes_.substr(offset, length));
  return true;
}

FileByteSource::FileByteSource(const char* file, int folderFd) {
  fd_ = ::openat(folderFd, file, O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) size_ = static_cast<uint64_t>(info.st_size);
}

FileByteSource::~FileByteSource() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileByteSource::Read(uint64_t offset, uint64_t length, std::string& out) const {
  if (fd_ < 0 || offset > size_ || length > size_ - offset) return false;
  out.resize(length);
  uint64_t done = 0;
  while (done < length) {
    ssize_t got = ::pread(fd_, out.data() + done, length - done, static_cast<off_t>(offset + done));
    if (got <= 0) return false;  // the file shrank while we read it, or a read error
    done += static_cast<uint64_t>(got);
  }
  return true;
}

static uint8_t ByteAt(std::string_view bytes, size_t pos) { return static_cast<uint8_t>(bytes[pos]); }

uint16_t BigEndian16(std::string_view bytes, size_t pos) {
  return static_cast<uint16_t>(ByteAt(bytes, pos) << 8 | ByteAt(bytes, pos + 1));
}

uint32_t BigEndian32(std::string_view bytes, size_t pos) {
  return uint32_t(ByteAt(bytes, pos)) << 24 | uint32_t(ByteAt(bytes, pos + 1)) << 16 |
         uint32_t(ByteAt(bytes, pos + 2)) << 8 | uint32_t(ByteAt(bytes, pos + 3));
}

uint32_t LittleEndian32(std::string_view bytes, size_t pos) {
  return uint32_t(ByteAt(bytes, pos)) | uint32_t(ByteAt(bytes, pos + 1)) << 8 | uint32_t(ByteAt(bytes, pos + 2)) << 16 |
         uint32_t(ByteAt(bytes, pos + 3)) << 24;
}

uint64_t LittleEndian64(std::string_view bytes, size_t pos) {
  return uint64_t(LittleEndian32(bytes, pos)) | uint64_t(LittleEndian32(bytes, pos + 4)) << 32;
}

}  // namespace vantry::import

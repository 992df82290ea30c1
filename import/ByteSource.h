#pragma once

#include <fcntl.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantry::import {

// Random access to the bytes of one entry file, so that a parser reads only the parts
// it needs (the metadata at the end, the key at the front) and the body later.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Reads exactly `length` bytes at `offset` into `out`; false when they are not all there.
  virtual bool Read(uint64_t offset, uint64_t length, std::string& out) const = 0;
};

// The bytes of a string held by the caller.
class StringByteSource : public ByteSource {
 public:
  explicit StringByteSource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool Read(uint64_t offset, uint64_t length, std::string& out) const override;

 private:
  std::string_view bytes_;
};

// The bytes of a file opened read-only; ok() is false when it could not be opened. A
// relative `file` is found in the folder open as `folderFd`, if one is given.
class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(const std::filesystem::path& file) : FileByteSource(file.c_str(), AT_FDCWD) {}
  FileByteSource(const char* file, int folderFd);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;
  bool ok() const { return fd_ >= 0; }
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t offset, uint64_t length, std::string& out) const override;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

// Fixed-width integers at `pos` of `bytes`. REQUIRES: pos + width <= bytes.size().
uint16_t BigEndian16(std::string_view bytes, size_t pos);
uint32_t BigEndian32(std::string_view bytes, size_t pos);
uint32_t LittleEndian32(std::string_view bytes, size_t pos);
uint64_t LittleEndian64(std::string_view bytes, size_t pos);

}  // namespace vantry::import

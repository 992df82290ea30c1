#include "files/FilesInDiskOrder.h"

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <numeric>

namespace vantry::files {

namespace {

// Where a file was found and how big it is.
struct Placement {
  BatchFile::State state = BatchFile::State::kUnreadable;
  uint64_t size = 0;
  uint64_t diskOffset = 0;  // of its first byte; 0 where the file system does not say
  uint64_t inode = 0;       // the order where it does not: files are laid out roughly by inode
};

int OpenForReading(const std::string& path) {
  // Reading need not touch the access times; only the owner may ask for that.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOATIME);
  if (fd < 0 && errno == EPERM) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return fd;
}

uint64_t FirstExtentOffset(int fd) {
  // The map's header followed by room for one extent.
  alignas(fiemap) unsigned char request[sizeof(fiemap) + sizeof(fiemap_extent)] = {};
  auto* map = reinterpret_cast<fiemap*>(request);
  map->fm_length = FIEMAP_MAX_OFFSET;
  map->fm_extent_count = 1;
  if (::ioctl(fd, FS_IOC_FIEMAP, map) != 0 || map->fm_mapped_extents == 0) return 0;
  return map->fm_extents[0].fe_physical;
}

Placement Place(const std::string& path, uint64_t maxSize) {
  Placement placement;
  const int fd = OpenForReading(path);
  if (fd < 0) return placement;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    placement.size = static_cast<uint64_t>(info.st_size);
    placement.inode = info.st_ino;
    placement.state = placement.size >= maxSize ? BatchFile::State::kTooBig : BatchFile::State::kRead;
    if (placement.state == BatchFile::State::kRead) placement.diskOffset = FirstExtentOffset(fd);
  }
  ::close(fd);
  return placement;
}

// Reads the whole file into `buffer` with as few reads as its size allows; false on failure.
bool ReadInto(const std::string& path, uint64_t expectedSize, std::string& buffer) {
  const int fd = OpenForReading(path);
  if (fd < 0) return false;
  // One byte more than expected shows at once whether the file has grown since.
  buffer.resize(expectedSize + 1);
  size_t filled = 0;
  bool ok = true;
  for (;;) {
    if (filled == buffer.size()) buffer.resize(buffer.size() * 2);
    const ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  buffer.resize(filled);
  return ok;
}

}  // namespace

bool ReadFilesInDiskOrder(const std::vector<std::string>& paths, uint64_t maxSize, const BatchFileVisit& visit) {
  std::vector<Placement> placements;
  placements.reserve(paths.size());
  for (const std::string& path : paths) placements.push_back(Place(path, maxSize));
  std::vector<size_t> order(paths.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const Placement& x = placements[a];
    const Placement& y = placements[b];
    return x.diskOffset != y.diskOffset ? x.diskOffset < y.diskOffset : x.inode < y.inode;
  });
  std::string buffer;
  for (size_t index : order) {
    BatchFile file{index, placements[index].state, placements[index].size, {}};
    if (file.state == BatchFile::State::kRead) {
      if (ReadInto(paths[index], file.size, buffer))
        file.bytes = buffer;
      else
        file.state = BatchFile::State::kUnreadable;
    }
    if (!visit(file)) return false;
  }
  return true;
}

}  // namespace vantry::files

#include "files/FilesInDiskOrder.h"

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
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

// Reads the whole open file into `buffer` with as few reads as its size allows and closes it;
// false on failure.
bool ReadInto(int fd, uint64_t expectedSize, std::string& buffer) {
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

// Opens the files to read a little ahead of the one being read and asks the kernel to fetch
// them meanwhile, so that the disk has several requests at once instead of one after another.
class ReadAhead {
 public:
  ReadAhead(const std::vector<std::string>& paths, const std::vector<Placement>& placements,
            const std::vector<size_t>& order)
      : paths_(paths), placements_(placements), order_(order) {}
  ~ReadAhead() {
    for (int fd : open_)
      if (fd >= 0) ::close(fd);
  }
  // The open file at `position` of the order (-1 when it did not open); the caller closes it.
  int Take(size_t position) {
    while (opened_ < order_.size() && opened_ < position + kFilesAhead) Open(order_[opened_++]);
    const int fd = open_.front();
    open_.pop_front();
    return fd;
  }

 private:
  static constexpr size_t kFilesAhead = 32;

  void Open(size_t index) {
    const Placement& placement = placements_[index];
    int fd = -1;
    if (placement.state == BatchFile::State::kRead) {
      fd = OpenForReading(paths_[index]);
      if (fd >= 0) ::posix_fadvise(fd, 0, static_cast<off_t>(placement.size), POSIX_FADV_WILLNEED);
    }
    open_.push_back(fd);
  }

  const std::vector<std::string>& paths_;
  const std::vector<Placement>& placements_;
  const std::vector<size_t>& order_;
  std::deque<int> open_;
  size_t opened_ = 0;
};

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
  ReadAhead ahead(paths, placements, order);
  for (size_t position = 0; position < order.size(); ++position) {
    const size_t index = order[position];
    BatchFile file{index, placements[index].state, placements[index].size, {}};
    const int fd = ahead.Take(position);
    if (file.state == BatchFile::State::kRead) {
      if (fd >= 0 && ReadInto(fd, file.size, buffer))
        file.bytes = buffer;
      else
        file.state = BatchFile::State::kUnreadable;
    }
    if (!visit(file)) return false;
  }
  return true;
}

}  // namespace vantry::files

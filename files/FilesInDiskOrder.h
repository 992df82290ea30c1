#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantry::files {

// One file of a batch as ReadFilesInDiskOrder hands it over.
struct BatchFile {
  enum class State { kRead, kUnreadable, kTooBig };
  std::size_t index = 0;  // its place in the list of paths
  State state = State::kUnreadable;
  uint64_t size = 0;
  std::string_view bytes;  // kRead: the whole content, valid during the call only
};

// Returns false to stop the batch.
using BatchFileVisit = std::function<bool(const BatchFile&)>;

// Reads each file of `paths` once, whole and with one large read, in the order its data lies on
// the disk, so that files not in memory yet are read in one sweep rather than by seeking to and
// fro; the next few files are fetched while one is handed over. Every path is handed to `visit` once, in that order: kRead with its bytes; kTooBig,
// unread, when it holds `maxSize` bytes or more; kUnreadable when it cannot be opened or read
// or is no regular file (a link is followed). Returns false when `visit` stopped the batch.
bool ReadFilesInDiskOrder(const std::vector<std::string>& paths, uint64_t maxSize, const BatchFileVisit& visit);

}  // namespace vantry::files

#include "import/ResponseInfoPickle.h"

#include "import/BrowserRecords.h"
#include "import/ByteSource.h"
#include "import/HttpHeaders.h"

namespace vantry::import {

namespace {

// Response info flags: bit 31 says an extra flags word follows; extra flag 4 says an
// original response time follows the response time.
constexpr uint32_t kHasExtraFlags = 0x80000000;
constexpr uint32_t kHasOriginalResponseTime = 4;

}  // namespace

// Pickle fields are 4-byte aligned after a payload size word; a string is length + bytes.
bool ReadResponseInfo(std::string_view pickle, ImportedEntry& entry) {
  if (pickle.size() < 4 || LittleEndian32(pickle, 0) > pickle.size() - 4) return false;
  pickle = pickle.substr(4, LittleEndian32(pickle, 0));
  size_t pos = 0;
  auto has = [&](size_t n) { return n <= pickle.size() && pos <= pickle.size() - n; };
  if (!has(4)) return false;
  uint32_t flags = LittleEndian32(pickle, pos);
  pos += 4;
  uint32_t extra = 0;
  if (flags & kHasExtraFlags) {
    if (!has(4)) return false;
    extra = LittleEndian32(pickle, pos);
    pos += 4;
  }
  if (!has(16)) return false;
  uint64_t requestTime = LittleEndian64(pickle, pos);
  uint64_t responseTime = LittleEndian64(pickle, pos + 8);
  pos += 16;
  if (extra & kHasOriginalResponseTime) pos += 8;
  if (!has(4)) return false;
  uint32_t length = LittleEndian32(pickle, pos);
  pos += 4;
  if (!has(length)) return false;
  entry.headers = HeaderTextFromLines(HeaderLines(pickle.substr(pos, length)));
  entry.responseTime = FileTimeFromWindowsMicroseconds(static_cast<int64_t>(responseTime ? responseTime : requestTime));
  return true;
}

}  // namespace vantry::import

#include "import/BlockfileEntry.h"

#include <algorithm>

#include "import/BrowserRecords.h"
#include "import/ByteSource.h"
#include "import/HttpHeaders.h"
#include "import/ResponseInfoPickle.h"
#include "import/SuperFastHash.h"
#include "import/UrlKeys.h"

namespace vantry::import {

namespace {

// The entry record: what is read of it, by offset.
constexpr size_t kKeyHash = 0, kRankings = 8, kReuseCount = 12, kState = 20, kKeyLength = 32, kLongKey = 36,
                 kStreamSizes = 40, kStreamAddresses = 56, kFlags = 72, kSelfHash = 92, kInlineKey = 96;
constexpr uint64_t kEntryBlockSize = 256;
constexpr int64_t kLongestInlineKey = 4 * kEntryBlockSize - kInlineKey - 1;
// The rankings record: last use, last change, list links, the entry's address, the
// "left open" mark, its own hash.
constexpr size_t kLastUsed = 0, kContents = 24, kDirty = 28, kRankingsSelfHash = 32;
constexpr uint64_t kRankingsSize = 36;

constexpr uint32_t kNormalState = 0, kDoomedState = 2;
constexpr uint32_t kSparseFlags = 1 | 2;  // a sparse entry, or a piece of one

EntryRead Damaged(const std::string& problem) { return {std::nullopt, {}, "damaged entry (" + problem + ")"}; }
EntryRead Skipped(std::string reason) { return {std::nullopt, {}, std::move(reason)}; }

// A record's own hash covers what comes before it; 0 means none was stored.
bool SelfHashMatches(std::string_view record, size_t hashOffset) {
  uint32_t stored = LittleEndian32(record, hashOffset);
  return stored == 0 || stored == SuperFastHash(record.substr(0, hashOffset));
}

int32_t Signed32(std::string_view bytes, size_t pos) { return static_cast<int32_t>(LittleEndian32(bytes, pos)); }

// The key: inside the record's blocks after the fixed part, NUL-ended, or in a block or
// file of its own when it is longer than four blocks hold.
std::string ReadKey(const BlockfileCache& cache, std::string_view record, std::string& key) {
  int32_t length = Signed32(record, kKeyLength);
  if (length <= 0) return "no key";
  if (length <= kLongestInlineKey) {
    if (kInlineKey + uint64_t(length) >= record.size()) return "key runs past the entry record";
    if (record[kInlineKey + length] != '\0') return "key not ended";
    key = record.substr(kInlineKey, length);
    return "";
  }
  std::string problem = cache.ReadRecord({LittleEndian32(record, kLongKey)}, 0, uint64_t(length), key);
  return problem.empty() ? "" : "key: " + problem;
}

}  // namespace

EntryRead ReadBlockfileEntry(const BlockfileCache& cache, uint32_t address) {
  BlockAddress at{address};
  if (at.separateFile() || at.fileType() != kBlocks256) return Damaged("not an entry record's address");
  std::string record;
  if (std::string problem = cache.ReadRecord(at, 0, at.blockCount() * kEntryBlockSize, record); !problem.empty())
    return Damaged(problem);
  if (!SelfHashMatches(record, kSelfHash)) return Damaged("entry record checksum mismatch");
  const uint32_t state = LittleEndian32(record, kState);
  if (state > kDoomedState) return Damaged("unknown state");
  if (state != kNormalState) return Skipped("entry the browser had removed");
  if (LittleEndian32(record, kFlags) & kSparseFlags) return Skipped("entry stored in pieces (sparse data)");

  std::string key;
  if (std::string problem = ReadKey(cache, record, key); !problem.empty()) return Damaged(problem);
  if (SuperFastHash(key) != LittleEndian32(record, kKeyHash)) return Damaged("key hash mismatch");

  std::string rankings;
  if (std::string problem = cache.ReadRecord({LittleEndian32(record, kRankings)}, 0, kRankingsSize, rankings);
      !problem.empty())
    return Damaged("rankings record: " + problem);
  if (!SelfHashMatches(rankings, kRankingsSelfHash)) return Damaged("rankings record checksum mismatch");
  if (LittleEndian32(rankings, kContents) != address) return Damaged("rankings record of another entry");
  if (LittleEndian32(rankings, kDirty) != 0) return Skipped("entry left open when the browser stopped");

  const int32_t infoSize = Signed32(record, kStreamSizes), bodySize = Signed32(record, kStreamSizes + 4);
  if (infoSize <= 0 || bodySize < 0) return Damaged("no response info");
  if (uint64_t(infoSize) + uint64_t(bodySize) > kMaxEntrySize) return Skipped(kEntryTooLarge);
  std::string info, body;
  if (std::string problem = cache.ReadRecord({LittleEndian32(record, kStreamAddresses)}, 0, uint64_t(infoSize), info);
      !problem.empty())
    return Damaged("response info: " + problem);
  if (bodySize > 0) {
    std::string problem = cache.ReadRecord({LittleEndian32(record, kStreamAddresses + 4)}, 0, uint64_t(bodySize), body);
    if (!problem.empty()) return Damaged("body: " + problem);
  }

  ImportedEntry entry;
  std::optional<std::string> url = UrlFromChromiumKey(key);
  if (!url) return Damaged("key without a URL");
  entry.url = std::move(*url);
  if (IsChromiumUploadKey(key)) entry.method = "POST";
  if (!ReadResponseInfo(info, entry)) return Damaged("response info damaged");
  entry.lastModified = entry.responseTime;
  const cache::FileTime lastUsed =
      FileTimeFromWindowsMicroseconds(static_cast<int64_t>(LittleEndian64(rankings, kLastUsed)));
  entry.lastFetched = std::max(entry.responseTime, lastUsed);
  entry.expires = ExpiryFromHeaders(entry.headers, entry.responseTime);
  const int32_t reuses = Signed32(record, kReuseCount);
  entry.fetchCount = reuses > 0 ? static_cast<uint32_t>(reuses) + 1 : 1;
  entry.bodySize = body.size();
  return {std::move(entry), std::move(body), {}};
}

}  // namespace vantry::import

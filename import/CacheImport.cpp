#include "CacheImport.h"

#include <algorithm>
#include <map>
#include <optional>

#include "CacheAccess.h"
#include "EntryConversion.h"
#include "SqliteUrlCacheStore.h"
#include "UrlKeys.h"

namespace fs = std::filesystem;

namespace {

// A one-line progress report, rewritten in place, for imports of many entries.
class ProgressLine {
 public:
  ProgressLine(std::ostream& out, size_t total, size_t showFrom) : out_(out), total_(total), shown_(total >= showFrom) {}
  ~ProgressLine() {
    if (shown_) out_ << "\n" << std::flush;
  }
  void Step(size_t done) {
    if (shown_ && (done % 500 == 0 || done == total_))
      out_ << "\rImporting cache entries: " << done << " of " << total_ << std::flush;
  }

 private:
  std::ostream& out_;
  size_t total_;
  bool shown_;
};

bool IsNewer(const ImportedEntry& a, const ImportedEntry& b) {
  if (a.lastFetched != b.lastFetched) return a.lastFetched > b.lastFetched;
  return a.responseTime > b.responseTime;
}

// Keeps the most recently fetched copy of each URL; the others are counted.
std::vector<EntryCandidate> NewestPerUrl(std::vector<EntryCandidate> candidates, ImportSummary& summary) {
  std::map<std::string, size_t> newest;
  for (size_t i = 0; i < candidates.size(); ++i) {
    auto [found, added] = newest.emplace(candidates[i].entry.url, i);
    if (added) continue;
    ++summary.entriesInOtherPartitions;
    if (IsNewer(candidates[i].entry, candidates[found->second].entry)) found->second = i;
  }
  std::vector<EntryCandidate> kept;
  kept.reserve(newest.size());
  for (const auto& [url, index] : newest) kept.push_back(std::move(candidates[index]));
  // Oldest first, so the store's own order follows the browser's use.
  std::stable_sort(kept.begin(), kept.end(), [](const EntryCandidate& a, const EntryCandidate& b) {
    return a.entry.lastFetched < b.entry.lastFetched;
  });
  return kept;
}

bool IsUnchanged(const CacheEntry& stored, const ImportedEntry& imported) {
  return (stored.entryType & ~STICKY_CACHE_ENTRY) == NORMAL_CACHE_ENTRY && stored.useCount == imported.fetchCount &&
         stored.lastAccessTime == imported.lastFetched && stored.lastModifiedTime == imported.lastModified &&
         stored.expireTime == imported.expires && stored.lastSyncTime == imported.responseTime &&
         (!imported.pinned || (stored.entryType & STICKY_CACHE_ENTRY));
}

std::optional<std::string> ReadBody(const EntryCandidate& candidate) {
  if (candidate.file.empty()) return candidate.entry.body;
  FileByteSource file(candidate.file);
  std::string body;
  if (!file.ok() || !file.Read(candidate.entry.bodyOffset, candidate.entry.bodySize, body)) return std::nullopt;
  return body;
}

// Writes a batch in one commit where the store allows it; a failed batch is retried
// entry by entry so that one bad entry costs only itself.
void WriteBatch(std::vector<NewEntry>& batch, UrlCacheStore& store, ImportSummary& summary,
                std::vector<bool>& existed) {
  auto* sqlite = dynamic_cast<SqliteUrlCacheStore*>(&store);
  bool written = sqlite && sqlite->AddEntries(batch) == STORE_OK;
  for (size_t i = 0; i < batch.size(); ++i) {
    if (!written && store.AddEntry(batch[i]) != STORE_OK) {
      ++summary.entriesSkipped["the store could not take it"];
      continue;
    }
    ++(existed[i] ? summary.entriesUpdated : summary.entriesAdded);
  }
  batch.clear();
  existed.clear();
}

}  // namespace

std::vector<fs::path> ListEntryFiles(const fs::path& folder, const std::function<bool(const std::string&)>& accept) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec) && accept(it->path().filename().string())) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

void ScanEntryFiles(const std::vector<fs::path>& files, const EntryParser& parse,
                    std::vector<EntryCandidate>& candidates, ImportSummary& summary) {
  for (const fs::path& path : files) {
    FileByteSource file(path);
    if (!file.ok()) {
      ++summary.entriesSkipped["entry file could not be opened"];
      continue;
    }
    ParsedEntry parsed = parse(file);
    if (!parsed.entry) {
      ++summary.entriesSkipped["damaged entry file (" + parsed.problem + ")"];
    } else if (!IsWebAddress(parsed.entry->url)) {
      ++summary.entriesSkipped["not an http, https or ftp address"];
    } else {
      candidates.push_back({std::move(*parsed.entry), path});
    }
  }
}

void StoreCandidates(std::vector<EntryCandidate> candidates, UrlCacheStore& store, ImportSummary& summary,
                     std::ostream& progress, const StoreOptions& options) {
  std::vector<EntryCandidate> kept = NewestPerUrl(std::move(candidates), summary);
  ProgressLine line(progress, kept.size(), options.progressFrom);
  std::vector<NewEntry> batch;
  std::vector<bool> existed;
  size_t done = 0;
  for (const EntryCandidate& candidate : kept) {
    line.Step(++done);
    std::optional<CacheEntry> stored = LookupEntry(store, candidate.entry.url);
    if (stored && IsUnchanged(*stored, candidate.entry)) {
      ++summary.entriesUnchanged;
      continue;
    }
    std::optional<std::string> body = ReadBody(candidate);
    if (!body) {
      ++summary.entriesSkipped["entry file changed or vanished while it was read"];
      continue;
    }
    if (!BodyMatchesChecks(candidate.entry, *body)) {
      ++summary.entriesSkipped["damaged entry file (body checksum mismatch)"];
      continue;
    }
    ConvertedEntry converted = ConvertEntry(candidate.entry, std::move(*body));
    if (converted.coding == BodyCoding::Decoded) ++summary.bodiesDecoded;
    if (converted.coding == BodyCoding::LeftEncoded) ++summary.bodiesLeftEncoded;
    // A sticky mark the user set in the store survives a fresh import.
    if (stored) converted.entry.entryType |= stored->entryType & STICKY_CACHE_ENTRY;
    batch.push_back(std::move(converted.entry));
    existed.push_back(stored.has_value());
    if (batch.size() >= options.batchSize) WriteBatch(batch, store, summary, existed);
  }
  if (!batch.empty()) WriteBatch(batch, store, summary, existed);
}

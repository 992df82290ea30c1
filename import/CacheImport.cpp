#include "import/CacheImport.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <thread>

#include "cache/store/CacheAccess.h"
#include "cache/store/StoreFiles.h"
#include "import/EntryConversion.h"
#include "import/EntryFileSource.h"
#include "import/ProgressLine.h"
#include "import/UrlKeys.h"

namespace vantry::import {

namespace fs = std::filesystem;

EntryImporter::EntryImporter(cache::UrlCacheStore& store, ImportSummary& summary, const StoreOptions& options)
    : store_(store), summary_(summary), options_(options) {
  ReadStoredStates();
}

// One walk of the store instead of a lookup per entry.
void EntryImporter::ReadStoredStates() {
  cache::WalkCache(store_, "", [&](cache::CacheEntry& e) {
    if (e.entryType & (cache::COOKIE_CACHE_ENTRY | cache::URLHISTORY_CACHE_ENTRY)) return;
    stored_[e.sourceUrl] = {e.entryType,  e.useCount,       e.lastModifiedTime,
                            e.expireTime, e.lastAccessTime, e.lastSyncTime};
  });
}

// Whether the store's copy of the URL is the same as `entry`, newer, or to be replaced.
EntryImporter::Taken::State EntryImporter::StateAgainstStore(const ImportedEntry& entry) const {
  auto found = stored_.find(entry.url);
  if (found == stored_.end()) return Taken::State::Written;
  const StoredState& s = found->second;
  if ((s.entryType & ~cache::STICKY_CACHE_ENTRY) != cache::NORMAL_CACHE_ENTRY) return Taken::State::Written;
  if (s.lastAccess > entry.lastFetched) return Taken::State::StoreHasNewer;
  bool same = s.useCount == entry.fetchCount && s.lastAccess == entry.lastFetched &&
              s.lastModified == entry.lastModified && s.expires == entry.expires && s.lastSync == entry.responseTime &&
              (!entry.pinned || (s.entryType & cache::STICKY_CACHE_ENTRY));
  return same ? Taken::State::Unchanged : Taken::State::Written;
}

size_t StoreOptions::DefaultParserThreads() {
  // One core stays with the thread that writes the store.
  return std::clamp<size_t>(std::thread::hardware_concurrency(), 2, 4) - 1;
}

// Why an entry is not for the store at all, whatever the store holds.
std::optional<std::string> EntryImporter::Refusal(const ImportedEntry& entry) {
  // The store's keys are read as text: a NUL would end the address early and show it
  // as another page's.
  if (entry.url.find('\0') != std::string::npos) return "address with a NUL byte";
  if (!IsWebAddress(entry.url)) return "not an http, https or ftp address";
  if (entry.method != "GET") return "response to a " + entry.method + " request";
  return std::nullopt;
}

OfferedBody EntryImporter::Prepare(const ImportedEntry& entry, std::string body) const {
  OfferedBody offered{std::move(body), {}, {}};
  if (Refusal(entry)) return offered;  // Offer() skips it unseen
  offered.intact = BodyMatchesChecks(entry, offered.bytes);
  if (*offered.intact && StateAgainstStore(entry) == Taken::State::Written)
    offered.converted = ConvertEntry(entry, std::move(offered.bytes));
  return offered;
}

void EntryImporter::Offer(const ImportedEntry& entry, OfferedBody body) {
  if (std::optional<std::string> refusal = Refusal(entry)) {
    ++summary_.entriesSkipped[*refusal];
    return;
  }
  auto earlier = taken_.find(entry.url);
  if (earlier != taken_.end()) {
    ++summary_.entriesInOtherPartitions;
    const Taken& t = earlier->second;
    bool newer =
        entry.lastFetched != t.lastFetched ? entry.lastFetched > t.lastFetched : entry.responseTime > t.responseTime;
    if (!newer) return;
  }
  if (!body.intact) body.intact = BodyMatchesChecks(entry, body.bytes);
  if (!*body.intact) {
    ++summary_.entriesSkipped["damaged entry file (body checksum mismatch)"];
    return;
  }
  Taken& taken = taken_[entry.url];
  taken.lastFetched = entry.lastFetched;
  taken.responseTime = entry.responseTime;
  // Once an older copy went to the store, the newer one must follow it there.
  if (taken.state != Taken::State::Written) taken.state = StateAgainstStore(entry);
  if (taken.state != Taken::State::Written) return;
  if (!body.converted) body.converted = ConvertEntry(entry, std::move(body.bytes));
  ConvertedEntry& converted = *body.converted;
  if (converted.coding == BodyCoding::Decoded) ++summary_.bodiesDecoded;
  if (converted.coding == BodyCoding::LeftEncoded) ++summary_.bodiesLeftEncoded;
  if (auto stored = stored_.find(entry.url); stored != stored_.end())
    converted.entry.entryType |= stored->second.entryType & cache::STICKY_CACHE_ENTRY;
  if (options_.origin) {
    converted.entry.origin = options_.origin;
    converted.entry.origin->entryFile = entry.entryFile;
  }
  batchBytes_ += converted.entry.content.size();
  if (taken.batchIndex != SIZE_MAX) {
    batch_[taken.batchIndex] = std::move(converted.entry);
  } else {
    taken.batchIndex = batch_.size();
    batch_.push_back(std::move(converted.entry));
  }
  if (batch_.size() >= options_.batchEntries || batchBytes_ >= options_.batchBytes) Flush();
}

// Writes the batch in one commit; a failed batch is retried entry by entry so that one
// bad entry costs only itself.
void EntryImporter::Flush() {
  bool written = store_.AddEntries(batch_) == cache::STORE_OK;
  for (const cache::NewEntry& entry : batch_) {
    Taken& taken = taken_[entry.url];
    taken.batchIndex = SIZE_MAX;
    if (!written && store_.AddEntry(entry) != cache::STORE_OK) taken.state = Taken::State::Failed;
  }
  batch_.clear();
  batchBytes_ = 0;
}

void EntryImporter::Finish() {
  if (!batch_.empty()) Flush();
  for (const auto& [url, taken] : taken_) {
    switch (taken.state) {
      case Taken::State::Unchanged:
        ++summary_.entriesUnchanged;
        break;
      case Taken::State::StoreHasNewer:
        ++summary_.entriesStoreHasNewer;
        break;
      case Taken::State::Failed:
        ++summary_.entriesSkipped[kStoreRefused];
        break;
      case Taken::State::Written:
        ++(stored_.count(url) ? summary_.entriesUpdated : summary_.entriesAdded);
        break;
    }
  }
  taken_.clear();
}

std::vector<std::string> ListEntryFiles(const fs::path& folder, const std::function<bool(const std::string&)>& accept) {
  // Directory reads and plain strings: a path object holds another one for each of its
  // components, and for tens of thousands of entry files building those costs more
  // than listing them.
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* item = ::readdir(dir)) {
      std::string name = item->d_name;
      if (!accept(name)) continue;
      // A link counts as what it leads to; file systems without entry types need a look.
      struct stat info {};
      bool regular =
          item->d_type == DT_REG || ((item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) &&
                                     ::fstatat(::dirfd(dir), item->d_name, &info, 0) == 0 && S_ISREG(info.st_mode));
      if (regular) names.push_back(std::move(name));
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  std::string prefix = folder.native();
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  for (std::string& name : names) name.insert(0, prefix);
  return names;
}

void ImportEntryFiles(const std::vector<std::string>& files, const EntryParser& parse, EntryImporter& importer,
                      std::ostream& progress) {
  EntrySources sources;
  sources.push_back(std::make_unique<EntryFileSource>(files, parse));
  ImportEntrySources(sources, importer, progress);
  importer.Finish();
}

void ImportWholeEntries(std::vector<ImportedEntry> entries, EntryImporter& importer, std::ostream& progress) {
  ProgressLine line(progress, entries.size(), importer.options().progressFrom);
  size_t done = 0;
  for (ImportedEntry& entry : entries) {
    line.Step(++done);
    std::string body = std::move(entry.body);
    importer.Offer(entry, std::move(body));
  }
  importer.Finish();
}

}  // namespace vantry::import

#include "import/CacheImport.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <thread>

#include "cache/store/CacheAccess.h"
#include "cache/store/StoreFiles.h"
#include "import/EntryConversion.h"
#include "import/OrderedPipeline.h"
#include "import/UrlKeys.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

// A one-line progress report, rewritten in place, for imports of many entries.
class ProgressLine {
 public:
  ProgressLine(std::ostream& out, size_t total, size_t showFrom)
      : out_(out), total_(total), shown_(total >= showFrom) {}
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

}  // namespace

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

OfferedBody EntryImporter::Prepare(const ImportedEntry& entry, std::string body) const {
  OfferedBody offered{std::move(body), {}, {}};
  if (!IsWebAddress(entry.url) || entry.method != "GET") return offered;  // Offer() skips it unseen
  offered.intact = BodyMatchesChecks(entry, offered.bytes);
  if (*offered.intact && StateAgainstStore(entry) == Taken::State::Written)
    offered.converted = ConvertEntry(entry, std::move(offered.bytes));
  return offered;
}

void EntryImporter::Offer(const ImportedEntry& entry, OfferedBody body) {
  if (!IsWebAddress(entry.url)) {
    ++summary_.entriesSkipped["not an http, https or ftp address"];
    return;
  }
  if (entry.method != "GET") {
    ++summary_.entriesSkipped["response to a " + entry.method + " request"];
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
  if (options_.origin && !entry.entryFile.empty()) {
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

namespace {

// The folders of entry files held open, so that each file is opened by its name in its
// folder: a shorter lookup than its whole path.
class EntryFolders {
 public:
  explicit EntryFolders(const std::vector<std::string>& files) : files_(files), folderOf_(files.size()) {
    std::map<std::string_view, size_t> opened;
    std::string_view last;
    for (size_t i = 0; i < files.size(); ++i) {
      std::string_view folder = std::string_view(files[i]).substr(0, NameStart(files[i]));
      if (i > 0 && folder == last) {
        folderOf_[i] = folderOf_[i - 1];
        continue;
      }
      last = folder;
      auto [place, added] = opened.emplace(folder, folders_.size());
      if (added) folders_.emplace_back(folder.empty() ? fs::path(".") : fs::path(folder));
      folderOf_[i] = place->second;
    }
  }

  // Opens file `i`; by its whole path where its folder could not be held open.
  FileByteSource Open(size_t i) const {
    const cache::OpenFolder& folder = folders_[folderOf_[i]];
    const char* path = files_[i].c_str();
    if (!folder.ok()) return FileByteSource(path, AT_FDCWD);
    return FileByteSource(path + NameStart(files_[i]), folder.fd());
  }

 private:
  // Where the name of `file` starts, after its folder's part and the '/' that ends it.
  static size_t NameStart(const std::string& file) {
    size_t slash = file.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
  }

  const std::vector<std::string>& files_;
  std::vector<cache::OpenFolder> folders_;
  std::vector<size_t> folderOf_;
};

// One entry file as a parser thread hands it to the importer: its entry with the body
// prepared, or why the file is skipped.
struct ReadEntryFile {
  std::optional<ImportedEntry> entry;
  OfferedBody body;
  std::string skipped;
};

ReadEntryFile ReadAndPrepare(FileByteSource file, const std::string& path, const EntryParser& parse,
                             const EntryImporter& importer) {
  std::string bytes;
  if (!file.ok() || !file.Read(0, file.Size(), bytes)) return {{}, {}, "entry file could not be read"};
  ParsedEntry parsed = parse(StringByteSource(bytes));
  if (!parsed.entry) return {{}, {}, "damaged entry file (" + parsed.problem + ")"};
  parsed.entry->entryFile = path;
  // The body is a stretch of the file: keep just that, without a copy.
  bytes.resize(parsed.entry->bodyOffset + parsed.entry->bodySize);
  bytes.erase(0, parsed.entry->bodyOffset);
  OfferedBody body = importer.Prepare(*parsed.entry, std::move(bytes));
  return {std::move(parsed.entry), std::move(body), {}};
}

size_t HeldBytes(const ReadEntryFile& read) {
  return read.body.bytes.size() + (read.body.converted ? read.body.converted->entry.content.size() : 0);
}

}  // namespace

void ImportEntryFiles(const std::vector<std::string>& files, const EntryParser& parse, EntryImporter& importer,
                      std::ostream& progress) {
  ProgressLine line(progress, files.size(), importer.options().progressFrom);
  EntryFolders folders(files);
  // Parser threads may run a batch and more ahead, so that they keep going while a batch is written.
  const StoreOptions& options = importer.options();
  PipelineLimits limits{options.parserThreads, 2 * options.batchEntries + 32, options.batchBytes};
  OrderedPipeline<ReadEntryFile> reads(
      files.size(), limits, [&](size_t i) { return ReadAndPrepare(folders.Open(i), files[i], parse, importer); },
      HeldBytes);
  for (size_t done = 1; done <= files.size(); ++done) {
    line.Step(done);
    ReadEntryFile read = reads.Next();
    if (read.entry)
      importer.Offer(*read.entry, std::move(read.body));
    else
      ++importer.summary().entriesSkipped[read.skipped];
    if (options.keepGoing && !options.keepGoing(done, files.size())) {
      importer.summary().stopped = true;
      break;
    }
  }
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

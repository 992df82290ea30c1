// The store's writes of new content entries: naming and creating their files, then their rows.
#include <atomic>
#include <optional>
#include <system_error>
#include <thread>

#include "cache/store/OriginTable.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "cache/store/StoreError.h"

namespace vantry::cache {

namespace {

constexpr size_t kHelpedWrites = 32;  // files in a batch from which a helper thread writes some
constexpr int kNamingRounds = 3;      // tries to name an entry's file before giving up

}  // namespace

// Picks a name in `folder` that neither a row nor another writer's reservation has, nor
// where `lookAtDisk` any file (else a file the index does not know shows when the file is
// created). Records it as pending and gives its path relative to the store folder, or
// empty when the index fails. After the plain name, numbering goes on from where it last
// stopped for that name, so a common name costs no rescan.
// REQUIRES: a transaction is open.
std::string SqliteUrlCacheStore::ReserveFile(const StoreFolder& folder, const std::string& name, bool lookAtDisk) {
  std::string chosen;
  bool failed = false;
  auto claim = statements_.Get(kClaim);
  auto tryName = [&](const std::string& candidate) {
    if (lookAtDisk && folder.files.Has(candidate.c_str())) return false;
    chosen = folder.relative + candidate;
    claim->Reset();
    claim->BindBytesInPlace(1, chosen);
    failed = claim->Step() != SQLITE_DONE;
    return failed || sqlite3_changes(db_.handle()) == 1;
  };
  if (!tryName(name)) {
    unsigned& next = nextNumber_[folder.relative + name];
    next = std::max(next, 1u);
    while (!tryName(NumberedFileName(name, next))) ++next;
    ++next;
  }
  return failed ? std::string() : chosen;
}

// Reserves a content file for each entry of `which`, in one transaction; with their
// names cleared when the index fails.
uint32_t SqliteUrlCacheStore::ReserveContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which,
                                                  bool lookAtDisk, std::vector<ContentFile>& files) {
  SqliteTransaction transaction(db_);
  bool reserved = transaction.ok();
  for (size_t i = 0; reserved && i < which.size(); ++i) {
    const std::string& url = entries[which[i]].url;
    files[which[i]].relative = ReserveFile(folders_.ContentFor(url), CacheFileName(url), lookAtDisk);
    reserved = !files[which[i]].relative.empty();
  }
  if (reserved && transaction.Commit()) return STORE_OK;
  uint32_t cause = IndexFailure();
  for (size_t i : which) files[i].relative.clear();
  return cause;
}

// Creates the reserved files of the entries of `which`. Creating files costs the system
// more than the index costs SQLite, so with many a helper thread creates some of them
// while this one creates the others.
void SqliteUrlCacheStore::CreateContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which,
                                             std::vector<ContentFile>& files) const {
  std::atomic<size_t> next = 0;
  auto create = [&] {
    for (size_t k; (k = next++) < which.size();) {
      size_t i = which[k];
      const StoreFolder& folder = folders_.ContentFor(entries[i].url);
      ContentFile& file = files[i];
      file.creation =
          folder.files.CreateWholeFile(file.relative.c_str() + folder.relative.size(), entries[i].content, &file.error);
    }
  };
  std::optional<std::thread> helper;
  if (which.size() >= kHelpedWrites && std::thread::hardware_concurrency() > 1) {
    try {
      helper.emplace(create);
    } catch (const std::system_error&) {
      // This thread creates them all.
    }
  }
  create();
  if (helper) helper->join();
}

// Names and creates every entry's file. Names are chosen against the index first; where
// something that neither a row nor a reservation knows holds a name, its entry chooses
// again, looking at the disk. Names given up that way go to `strays`.
uint32_t SqliteUrlCacheStore::NameAndCreateContentFiles(std::span<const NewEntry> entries,
                                                        std::vector<ContentFile>& files,
                                                        std::vector<std::string>& strays) {
  using Creation = OpenFolder::Creation;
  for (int round = 0; round < kNamingRounds; ++round) {
    std::vector<size_t> naming;
    for (size_t i = 0; i < entries.size(); ++i)
      if (files[i].creation == Creation::NameTaken) naming.push_back(i);
    if (naming.empty()) break;
    for (size_t i : naming)
      if (!files[i].relative.empty()) strays.push_back(files[i].relative);
    if (uint32_t reserved = ReserveContentFiles(entries, naming, round > 0, files); reserved != STORE_OK)
      return reserved;
    CreateContentFiles(entries, naming, files);
  }
  for (const ContentFile& file : files) {
    if (file.creation == Creation::NameTaken) return ERROR_ACCESS_DENIED;
    if (file.creation == Creation::Failed) {
      uint32_t cause = StoreErrorFromErrno(file.error);
      return cause == STORE_OK ? ERROR_STORE_FAILURE : cause;
    }
  }
  return STORE_OK;
}

// Writes the rows of entries whose files are all written, which ends the files'
// reservations. REQUIRES: a transaction is open.
uint32_t SqliteUrlCacheStore::PutEntryRows(std::span<const NewEntry> entries, const std::vector<ContentFile>& files,
                                           std::vector<std::string>& replaced) {
  uint32_t result = STORE_OK;
  for (size_t i = 0; i < entries.size() && result == STORE_OK; ++i) {
    const NewEntry& e = entries[i];
    const std::string& file = files[i].relative;
    std::string extension = FileExtensionOf(std::string_view(file).substr(file.rfind('/') + 1));
    bool inserted = false;
    result = PutRow({.url = e.url,
                     .localFile = file,
                     .headers = e.headers,
                     .extension = extension,
                     .type = e.entryType,
                     .useCount = e.useCount,
                     .hitRate = e.hitRate,
                     .size = e.content.size(),
                     .lastModified = e.lastModifiedTime,
                     .expire = e.expireTime,
                     .lastAccess = e.lastAccessTime,
                     .lastSync = e.lastSyncTime},
                    replaced, &inserted);
    // The entry's origin goes with it: a new one's, or none when written again without one (a
    // new entry without one has none to remove).
    const bool originChanges = e.origin || !inserted;
    if (result == STORE_OK && originChanges && !PutOrigin(statements_, e.url, e.origin)) result = IndexFailure();
    if (result == STORE_OK) result = ReleaseFile(file);
  }
  return result;
}

uint32_t SqliteUrlCacheStore::AddEntry(const NewEntry& entry) { return AddEntries(std::span(&entry, 1)); }

uint32_t SqliteUrlCacheStore::AddEntries(std::span<const NewEntry> entries) {
  for (const NewEntry& e : entries)
    if (e.url.empty()) return ERROR_INVALID_PARAMETER;
  if (readOnly_) return ERROR_WRITE_PROTECT;
  std::vector<ContentFile> files(entries.size());
  std::vector<std::string> strays, replaced;
  uint32_t result = NameAndCreateContentFiles(entries, files, strays);
  if (result == STORE_OK) {
    SqliteTransaction transaction(db_);
    result = transaction.ok() ? PutEntryRows(entries, files, replaced) : IndexFailure();
    if (result == STORE_OK && !transaction.Commit()) result = IndexFailure();
  }
  // What was not committed is unreferenced: remove it with its reservation. Names that
  // something else held are only given up.
  std::vector<std::string> obsolete;
  if (result == STORE_OK) {
    obsolete = std::move(replaced);
  } else {
    for (const ContentFile& file : files)
      if (file.creation == OpenFolder::Creation::Written)
        obsolete.push_back(file.relative);
      else if (!file.relative.empty())
        strays.push_back(file.relative);
  }
  RemoveStoreFiles(obsolete);
  obsolete.insert(obsolete.end(), strays.begin(), strays.end());
  ReleasePending(obsolete);
  return result;
}

}  // namespace vantry::cache

#include "cache/store/SqliteUrlCacheStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "cache/store/CookieFile.h"
#include "cache/store/OriginTable.h"
#include "cache/store/StoreError.h"
#include "cache/store/StoreSchema.h"
#include "text/AsciiText.h"

namespace vantry::cache {

namespace fs = std::filesystem;

namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string SystemUserName() {
  std::string name;
  if (const passwd* entry = getpwuid(getuid())) name = entry->pw_name;
  if (name.empty() && getenv("USER")) name = getenv("USER");
  std::string safe;
  for (char c : name) safe += (isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_') ? c : '_';
  return safe.empty() ? "user" : safe;
}

// 0 when the folder holds `name`, else the errno of the look.
int Lookup(const OpenFolder& folder, const char* name) {
  struct stat info;
  return ::fstatat(folder.fd(), name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

// Failures of a writable open that a store on a read-only medium, or one we may not
// write, gives.
bool MayOnlyBeRead(const SqliteDatabase& db) {
  int code = db.errorCode() & 0xFF;
  return db.IsReadOnly() || code == SQLITE_READONLY || code == SQLITE_CANTOPEN || code == SQLITE_PERM;
}

}  // namespace

FileTime FileTimeNow() {
  using namespace std::chrono;
  auto since = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
  return kUnixEpochAsFileTime + static_cast<FileTime>(since) * 10;
}

struct SqliteUrlCacheStore::Row {
  int64_t id = 0;
  CacheEntry entry;  // localFileName holds the path relative to the store folder
};

struct SqliteUrlCacheStore::Walk {
  std::string pattern;
  int64_t lastId = 0;
  std::vector<CacheEntry> batch;
  size_t next = 0;
  bool exhausted = false;
};

SqliteUrlCacheStore::SqliteUrlCacheStore(const fs::path& folder)
    : root_(folder), rootPrefix_(folder.string()), statements_(db_) {
  if (rootPrefix_.empty() || rootPrefix_.back() != '/') rootPrefix_ += '/';
  error_ = folders_.OpenRoot(root_);
  if (!error_.empty()) return;
  int index = Lookup(folders_.Root(), "index.sqlite");
  if (index != 0 && index != ENOENT) {
    error_ = "Cannot open the cache store folder " + root_.string() + ": " + ErrnoText(index) + ".";
    return;
  }
  bool fresh = index == ENOENT;
  if (fresh && Lookup(folders_.Root(), "content") == 0) {
    error_ = "The cache store index " + (root_ / "index.sqlite").string() +
             " is missing, but the store holds cached files; it was not recreated.";
    return;
  }
  error_ = folders_.OpenLayout(root_);
  if (!error_.empty() || !OpenIndex(fresh)) return;
  int root = folders_.Root().fd();
  lockFd_ = ::openat(root, "store.lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (lockFd_ < 0) lockFd_ = ::openat(root, "store.lock", O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (lockFd_ >= 0 && !readOnly_ && flock(lockFd_, LOCK_EX | LOCK_NB) == 0) SweepInterruptedWrites();
  if (lockFd_ >= 0) flock(lockFd_, LOCK_SH);
  user_ = UserName();
}

SqliteUrlCacheStore::~SqliteUrlCacheStore() {
  if (lockFd_ >= 0) ::close(lockFd_);
}

bool SqliteUrlCacheStore::OpenIndex(bool fresh) {
  std::string file = (root_ / "index.sqlite").string();
  if (db_.Open(file, true) && !db_.IsReadOnly() && db_.Execute(kIndexSettings) && db_.Execute(kSchema) &&
      db_.Execute(kOriginSchema))
    return true;
  // A store we may not write is still read.
  if (!fresh && MayOnlyBeRead(db_) && OpenIndexForReading()) {
    readOnly_ = true;
    return true;
  }
  error_ = "The cache store index " + file +
           " cannot be used: " + StoreErrorText(StoreErrorFromSqlite(db_.errorCode(), db_.systemError())) + " (" +
           db_.error() + ").";
  return false;
}

// Without leave to write, the index's write-ahead log cannot be shared: the index is
// read as it is when no log is left to fold in, which is so after every writer closed.
bool SqliteUrlCacheStore::OpenIndexForReading() {
  std::string file = (root_ / "index.sqlite").string();
  auto readable = [&] { return db_.Execute("SELECT count(*) FROM sqlite_master"); };
  if (db_.OpenForReading(file, false) && readable()) return true;
  return Lookup(folders_.Root(), "index.sqlite-wal") == ENOENT && db_.OpenForReading(file, true) && readable();
}

std::string SqliteUrlCacheStore::UserName() {
  SqliteStatement read = db_.Prepare("SELECT value FROM meta WHERE key = 'user'");
  if (read.Step() == SQLITE_ROW) return std::string(read.Bytes(0));
  std::string name = SystemUserName();
  if (readOnly_) return name;
  SqliteStatement write = db_.Prepare("INSERT OR IGNORE INTO meta(key, value) VALUES('user', ?)");
  write.BindBytes(1, name);
  write.Step();
  return name;
}

uint32_t SqliteUrlCacheStore::IndexFailure() const {
  uint32_t cause = StoreErrorFromSqlite(db_.errorCode(), db_.systemError());
  return cause == STORE_OK ? ERROR_STORE_FAILURE : cause;
}

std::string SqliteUrlCacheStore::Absolute(std::string_view relative) const {
  std::string path;
  path.reserve(rootPrefix_.size() + relative.size());
  path += rootPrefix_;
  path += relative;
  return path;
}

void SqliteUrlCacheStore::RemoveStoreFiles(const std::vector<std::string>& files) const {
  for (const std::string& file : files) {
    std::string_view name;
    if (const StoreFolder* folder = folders_.FolderOf(file, name)) folder->files.RemoveFile(std::string(name).c_str());
  }
}

// Removes files that a writer reserved but never committed, or that a delete had
// already taken out of the index; only done while no other process has the store open.
void SqliteUrlCacheStore::SweepInterruptedWrites() {
  std::vector<std::string> pending, unused;
  SqliteStatement list = db_.Prepare("SELECT file FROM pending");
  while (list.Step() == SQLITE_ROW) pending.emplace_back(list.Bytes(0));
  for (const std::string& file : pending) {
    auto used = statements_.Get(kFileInUse);
    used->BindBytes(1, file);
    if (used->Step() != SQLITE_ROW) unused.push_back(file);
  }
  RemoveStoreFiles(unused);
  ReleasePending(pending);
  folders_.Cookies().files.RemoveTemporaryFiles();
}

bool SqliteUrlCacheStore::ReleasePending(const std::vector<std::string>& files) {
  if (files.empty()) return true;
  SqliteTransaction transaction(db_);
  for (const std::string& file : files)
    if (ReleaseFile(file) != STORE_OK) return false;
  return transaction.Commit();
}

// REQUIRES: a transaction is open.
uint32_t SqliteUrlCacheStore::ReleaseFile(std::string_view file) {
  auto release = statements_.Get(kRelease);
  release->BindBytesInPlace(1, file);
  return release->Step() == SQLITE_DONE ? STORE_OK : IndexFailure();
}

void SqliteUrlCacheStore::ToEntry(SqliteStatement& row, CacheEntry& entry) const {
  entry.sourceUrl = row.Bytes(1);
  std::string_view local = row.Bytes(2);
  if (local.empty())
    entry.localFileName.clear();
  else
    entry.localFileName = Absolute(local);
  entry.entryType = static_cast<uint32_t>(row.Int(3));
  entry.useCount = static_cast<uint32_t>(row.Int(4));
  entry.hitRate = static_cast<uint32_t>(row.Int(5));
  entry.sizeLow = static_cast<uint32_t>(row.Int(6));
  entry.sizeHigh = static_cast<uint32_t>(row.Int(7));
  entry.lastModifiedTime = static_cast<FileTime>(row.Int(8));
  entry.expireTime = static_cast<FileTime>(row.Int(9));
  entry.lastAccessTime = static_cast<FileTime>(row.Int(10));
  entry.lastSyncTime = static_cast<FileTime>(row.Int(11));
  entry.headerInfo = row.Bytes(12);
  entry.fileExtension = row.Bytes(13);
  entry.exemptDelta = static_cast<uint32_t>(row.Int(14));
}

bool SqliteUrlCacheStore::FillBatch(Walk& walk) {
  auto loan = statements_.Get(kSelectBatch);
  SqliteStatement& select = *loan;
  if (!select.valid()) return false;
  walk.batch.clear();
  walk.next = 0;
  while (walk.batch.empty() && !walk.exhausted) {
    select.Reset();
    select.BindInt(1, walk.lastId);
    int rows = 0, result;
    while ((result = select.Step()) == SQLITE_ROW) {
      ++rows;
      walk.lastId = select.Int(0);
      if (!walk.pattern.empty() && !text::StartsWithNoCase(select.Bytes(1), walk.pattern)) continue;
      ToEntry(select, walk.batch.emplace_back());
    }
    if (result != SQLITE_DONE) return false;
    walk.exhausted = rows < kBatchRows;
  }
  return true;
}

uint32_t SqliteUrlCacheStore::FindFirstEntry(std::string_view pattern, CacheEntry& entry, uint32_t& size,
                                             WalkHandle& handle) {
  auto walk = std::make_unique<Walk>();
  walk->pattern = pattern;
  WalkHandle id = nextHandle_++;
  walks_[id] = std::move(walk);
  uint32_t result = NextInWalk(*walks_[id], entry, size);
  if (result == STORE_OK || result == ERROR_INSUFFICIENT_BUFFER) {
    handle = id;
  } else {
    walks_.erase(id);
    handle = 0;
  }
  return result;
}

uint32_t SqliteUrlCacheStore::FindNextEntry(WalkHandle handle, CacheEntry& entry, uint32_t& size) {
  auto found = walks_.find(handle);
  if (found == walks_.end()) return ERROR_INVALID_HANDLE;
  return NextInWalk(*found->second, entry, size);
}

uint32_t SqliteUrlCacheStore::NextInWalk(Walk& walk, CacheEntry& entry, uint32_t& size) {
  if (walk.next >= walk.batch.size()) {
    if (walk.exhausted) return ERROR_NO_MORE_ITEMS;
    if (!FillBatch(walk)) return IndexFailure();
    if (walk.batch.empty()) return ERROR_NO_MORE_ITEMS;
  }
  CacheEntry& current = walk.batch[walk.next];
  uint32_t needed = EntryBlockSize(current);
  if (needed > size) {
    size = needed;
    return ERROR_INSUFFICIENT_BUFFER;
  }
  entry = std::move(current);
  entry.structSize = size;
  ++walk.next;
  return STORE_OK;
}

void SqliteUrlCacheStore::FindCloseWalk(WalkHandle handle) { walks_.erase(handle); }

std::optional<SqliteUrlCacheStore::Row> SqliteUrlCacheStore::FindRow(std::string_view url) {
  auto select = statements_.Get(kSelectByUrl);
  select->BindBytes(1, url);
  if (select->Step() != SQLITE_ROW) return std::nullopt;
  Row row;
  row.id = select->Int(0);
  ToEntry(*select, row.entry);
  row.entry.localFileName = select->Bytes(2);
  return row;
}

uint32_t SqliteUrlCacheStore::GetEntryInfo(std::string_view url, CacheEntry* entry, uint32_t& size) {
  std::optional<Row> row = FindRow(url);
  if (!row) return ERROR_FILE_NOT_FOUND;
  uint32_t needed = EntryBlockSize(row->entry);
  if (entry == nullptr || size < needed) {
    size = needed;
    return ERROR_INSUFFICIENT_BUFFER;
  }
  std::string relative = std::move(row->entry.localFileName);
  *entry = std::move(row->entry);
  entry->localFileName = relative.empty() ? std::string() : Absolute(relative);
  entry->structSize = size;
  return STORE_OK;
}

uint32_t SqliteUrlCacheStore::SetEntryInfo(std::string_view url, const CacheEntry& entry, uint32_t fieldControl) {
  if (fieldControl != CACHE_ENTRY_ATTRIBUTE_FC) return ERROR_INVALID_PARAMETER;
  if (readOnly_) return ERROR_WRITE_PROTECT;
  auto update = statements_.Get("UPDATE entries SET type = ? WHERE url = ?");
  update->BindInt(1, entry.entryType);
  update->BindBytes(2, url);
  if (update->Step() != SQLITE_DONE) return IndexFailure();
  return sqlite3_changes(db_.handle()) == 1 ? STORE_OK : ERROR_FILE_NOT_FOUND;
}

uint32_t SqliteUrlCacheStore::DeleteEntry(std::string_view url) {
  std::optional<Row> row = FindRow(url);
  if (!row) return ERROR_FILE_NOT_FOUND;
  if (readOnly_) return ERROR_WRITE_PROTECT;
  const std::string& file = row->entry.localFileName;
  {
    SqliteTransaction transaction(db_);
    auto remove = statements_.Get("DELETE FROM entries WHERE id = ?");
    remove->BindInt(1, row->id);
    auto reserve = statements_.Get(kReserve);
    reserve->BindBytes(1, file);
    if (!transaction.ok() || remove->Step() != SQLITE_DONE || (!file.empty() && reserve->Step() != SQLITE_DONE) ||
        !PutOrigin(statements_, url, std::nullopt) || !transaction.Commit())
      return IndexFailure();
  }
  if (!file.empty()) {
    RemoveStoreFiles({file});
    ReleasePending({file});
  }
  return STORE_OK;
}

uint32_t SqliteUrlCacheStore::GetEntryOrigin(std::string_view url, EntryOrigin& origin) {
  std::optional<EntryOrigin> found = ReadOrigin(statements_, url);
  if (!found) return ERROR_FILE_NOT_FOUND;
  origin = std::move(*found);
  return STORE_OK;
}

// Writes a new row, or replaces the URL's row, which keeps its place in the order; a file
// the row gave up is reserved for removal and added to `replaced`. `inserted`, when given, tells
// whether the URL had no row before.
// REQUIRES: a transaction is open.
uint32_t SqliteUrlCacheStore::PutRow(const EntryColumns& row, std::vector<std::string>& replaced, bool* inserted) {
  bool isNew;
  {
    auto insert = statements_.Get(kInsertRow);
    BindEntryColumns(*insert, row);
    if (insert->Step() != SQLITE_DONE) return IndexFailure();
    isNew = sqlite3_changes(db_.handle()) == 1;
  }
  if (inserted) *inserted = isNew;
  if (!isNew) {
    auto old = statements_.Get(kSelectFileOfUrl);
    old->BindBytesInPlace(1, row.url);
    if (old->Step() != SQLITE_ROW) return IndexFailure();
    int64_t id = old->Int(0);
    std::string oldFile(old->Bytes(1));
    auto update = statements_.Get(kUpdateRow);
    BindEntryColumns(*update, row);
    update->BindInt(15, id);
    if (update->Step() != SQLITE_DONE) return IndexFailure();
    if (!oldFile.empty() && oldFile != row.localFile) {
      auto reserve = statements_.Get(kReserve);
      reserve->BindBytes(1, oldFile);
      if (reserve->Step() != SQLITE_DONE) return IndexFailure();
      replaced.push_back(std::move(oldFile));
    }
  }
  return STORE_OK;
}

uint32_t SqliteUrlCacheStore::RecordVisit(std::string_view address, FileTime when, uint32_t visitCount) {
  Visit visit{std::string(address), when, visitCount};
  return RecordVisits(std::span(&visit, 1));
}

uint32_t SqliteUrlCacheStore::RecordVisits(std::span<const Visit> visits) {
  for (const Visit& visit : visits)
    if (visit.address.empty()) return ERROR_INVALID_PARAMETER;
  if (readOnly_) return ERROR_WRITE_PROTECT;
  SqliteTransaction transaction(db_);
  if (!transaction.ok()) return IndexFailure();
  std::vector<std::string> replaced;  // visits have no files
  std::string key;
  uint32_t result = STORE_OK;
  for (size_t i = 0; i < visits.size() && result == STORE_OK; ++i) {
    const Visit& visit = visits[i];
    key = "Visited: @" + visit.address;
    result = PutRow({.url = key,
                     .type = NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY,
                     .useCount = visit.visitCount,
                     .lastModified = visit.when,
                     .lastAccess = visit.when,
                     .lastSync = visit.when},
                    replaced);
  }
  if (result == STORE_OK && !transaction.Commit()) result = IndexFailure();
  return result;
}

uint32_t SqliteUrlCacheStore::ReadCookieFile(const std::string& relative, std::string& text) const {
  std::string_view name;
  const StoreFolder* folder = folders_.FolderOf(relative, name);
  if (folder == nullptr) return ERROR_PATH_NOT_FOUND;
  return StoreErrorFromErrno(folder->files.ReadFile(std::string(name).c_str(), text));
}

uint32_t SqliteUrlCacheStore::SetCookie(const Cookie& cookie) {
  if (cookie.domain.empty() || CookieSite(cookie.domain).find_first_of("/@ ") != std::string::npos ||
      HasLineBreak(cookie.name) || HasLineBreak(cookie.value) || HasLineBreak(cookie.domain) ||
      HasLineBreak(cookie.path) || !cookie.path.starts_with('/'))
    return ERROR_INVALID_PARAMETER;
  if (readOnly_) return ERROR_WRITE_PROTECT;
  std::string site = CookieSite(cookie.domain);
  std::string key = "Cookie:" + user_ + "@" + site + "/";
  std::optional<Row> old = FindRow(key);
  bool hasFile = old && !old->entry.localFileName.empty();
  // The other cookies of the site keep their bytes; a file that is there but cannot be
  // read is never replaced by one without them.
  std::string before;
  if (hasFile) {
    uint32_t read = ReadCookieFile(old->entry.localFileName, before);
    if (read != STORE_OK && read != ERROR_PATH_NOT_FOUND) return read;
  }
  FileTime expire = 0;
  std::string text = SetCookieRecord(before, cookie, expire);

  const StoreFolder& cookies = folders_.Cookies();
  std::string file;
  if (hasFile) {
    file = old->entry.localFileName;
    std::string_view name;
    if (folders_.FolderOf(file, name) != &cookies) return ERROR_PATH_NOT_FOUND;
    if (int error = cookies.files.ReplaceFile(std::string(name).c_str(), text)) return StoreErrorFromErrno(error);
  } else {
    {
      SqliteTransaction transaction(db_);
      if (!transaction.ok()) return IndexFailure();
      file = ReserveFile(cookies, user_ + "@" + site + ".txt", true);
      if (file.empty() || !transaction.Commit()) return IndexFailure();
    }
    int error = 0;
    if (cookies.files.CreateWholeFile(file.c_str() + cookies.relative.size(), text, &error) !=
        OpenFolder::Creation::Written) {
      ReleasePending({file});
      return error ? StoreErrorFromErrno(error) : ERROR_STORE_FAILURE;
    }
  }
  FileTime now = FileTimeNow();
  SqliteTransaction transaction(db_);
  if (!transaction.ok()) return IndexFailure();
  std::vector<std::string> replaced;  // the site keeps its one file
  uint32_t result = PutRow({.url = key,
                            .localFile = file,
                            .extension = "txt",
                            .type = NORMAL_CACHE_ENTRY | COOKIE_CACHE_ENTRY,
                            .size = text.size(),
                            .lastModified = now,
                            .expire = expire,
                            .lastAccess = now,
                            .lastSync = now},
                           replaced);
  if (result == STORE_OK && !hasFile) result = ReleaseFile(file);
  if (result == STORE_OK && !transaction.Commit()) result = IndexFailure();
  return result;
}

uint32_t SqliteUrlCacheStore::GetCookie(std::string_view url, char* buffer, uint32_t& size) {
  CookieTarget target;
  std::vector<Cookie> matching;
  if (ParseCookieTarget(url, target)) {
    FileTime now = FileTimeNow();
    // The host's own site and each parent domain may hold cookies for it; a cookie file
    // that cannot be read gives none.
    for (std::string_view site = target.host; !site.empty();) {
      std::string text;
      if (std::optional<Row> row = FindRow("Cookie:" + user_ + "@" + std::string(site) + "/");
          row && !row->entry.localFileName.empty() && ReadCookieFile(row->entry.localFileName, text) == STORE_OK)
        for (Cookie& c : ParseCookieFile(text))
          if (CookieMatches(c, target, now)) matching.push_back(std::move(c));
      size_t dot = site.find('.');
      site = dot == std::string_view::npos ? std::string_view() : site.substr(dot + 1);
    }
  }
  std::string text = JoinCookieText(std::move(matching));
  if (buffer == nullptr) {
    size = static_cast<uint32_t>(text.size());
    return STORE_OK;
  }
  if (text.size() > size) {
    size = static_cast<uint32_t>(text.size());
    return ERROR_INSUFFICIENT_BUFFER;
  }
  std::copy(text.begin(), text.end(), buffer);
  size = static_cast<uint32_t>(text.size());
  return STORE_OK;
}

void SqliteUrlCacheStore::SetConnectedState(uint32_t state, uint32_t flags) {
  offline_ = (state & INTERNET_STATE_DISCONNECTED_BY_USER) != 0 || (flags & ISO_FORCE_DISCONNECTED) != 0;
}

StoreOpenResult OpenUrlCacheStore(const fs::path& folder) {
  auto store = std::make_unique<SqliteUrlCacheStore>(folder);
  if (!store->error().empty()) return {nullptr, store->error()};
  return {std::move(store), {}};
}

fs::path DefaultStoreFolder() {
  if (const char* store = getenv("VANTRY_STORE"); store && *store) return store;
  fs::path data;
  if (const char* xdg = getenv("XDG_DATA_HOME"); xdg && *xdg)
    data = xdg;
  else
    data = fs::path(getenv("HOME") ? getenv("HOME") : "/tmp") / ".local/share";
  return data / "Orlenvik" / "OfflineVantry" / "store";
}

}  // namespace vantry::cache

#include "cache/store/SqliteUrlCacheStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <set>
#include <system_error>
#include <thread>

#include "cache/store/CookieFile.h"
#include "cache/store/OriginTable.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "text/AsciiText.h"

namespace vantry::cache {

namespace fs = std::filesystem;

namespace {

constexpr int kBatchRows = 256;
constexpr int kContentSubfolders = 4;
constexpr size_t kHelpedWrites = 32;  // files in a batch from which a helper thread writes some
constexpr int kNamingRounds = 3;      // tries to name an entry's file before giving up
constexpr const char* kColumns =
    "id, url, local_file, type, use_count, hit_rate, size_low, size_high, last_modified, expire, "
    "last_access, last_sync, headers, extension, exempt_delta";

constexpr const char* kSchema = R"sql(
  CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value BLOB);
  CREATE TABLE IF NOT EXISTS entries(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    url BLOB NOT NULL UNIQUE,
    local_file BLOB NOT NULL,
    type INTEGER NOT NULL,
    use_count INTEGER NOT NULL,
    hit_rate INTEGER NOT NULL,
    size_low INTEGER NOT NULL,
    size_high INTEGER NOT NULL,
    last_modified INTEGER NOT NULL,
    expire INTEGER NOT NULL,
    last_access INTEGER NOT NULL,
    last_sync INTEGER NOT NULL,
    headers BLOB NOT NULL,
    extension BLOB NOT NULL,
    exempt_delta INTEGER NOT NULL);
  CREATE INDEX IF NOT EXISTS entries_by_file ON entries(local_file);
  CREATE TABLE IF NOT EXISTS pending(file BLOB PRIMARY KEY);
)sql";

const std::string kSelectByUrl = std::string("SELECT ") + kColumns + " FROM entries WHERE url = ?";
const std::string kSelectBatch =
    std::string("SELECT ") + kColumns + " FROM entries WHERE id > ? ORDER BY id LIMIT " + std::to_string(kBatchRows);
constexpr const char* kReserve = "INSERT OR IGNORE INTO pending(file) VALUES(?)";
constexpr const char* kRelease = "DELETE FROM pending WHERE file = ?";
constexpr const char* kFileInUse = "SELECT 1 FROM entries WHERE local_file = ?";
constexpr const char* kUpdateRow =
    "UPDATE entries SET local_file=?2, type=?3, use_count=?4, hit_rate=?5, size_low=?6, size_high=?7, "
    "last_modified=?8, expire=?9, last_access=?10, last_sync=?11, headers=?12, extension=?13, "
    "exempt_delta=?14 WHERE id=?15 AND url=?1";
constexpr const char* kInsertRow =
    "INSERT INTO entries(url, local_file, type, use_count, hit_rate, size_low, size_high, last_modified, "
    "expire, last_access, last_sync, headers, extension, exempt_delta) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)";

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string ContentSubfolder(int slot) { return "c" + std::to_string(slot); }

// Which content subfolder holds a URL's file.
int ContentSlot(std::string_view url) {
  return static_cast<int>(std::hash<std::string_view>{}(url) % kContentSubfolders);
}

std::string SystemUserName() {
  std::string name;
  if (const passwd* entry = getpwuid(getuid())) name = entry->pw_name;
  if (name.empty() && getenv("USER")) name = getenv("USER");
  std::string safe;
  for (char c : name) safe += (isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_') ? c : '_';
  return safe.empty() ? "user" : safe;
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

SqliteUrlCacheStore::SqliteUrlCacheStore(const fs::path& folder) : root_(folder), statements_(db_) {
  std::error_code ec;
  bool fresh = !fs::exists(root_ / "index.sqlite", ec);
  if (fresh && fs::exists(ContentFolder(), ec)) {
    error_ = "The cache store index " + (root_ / "index.sqlite").string() +
             " is missing, but the store holds cached files; it was not recreated.";
    return;
  }
  for (const fs::path& dir : {root_, ContentFolder(), CookieFolder()}) fs::create_directories(dir, ec);
  for (int i = 0; i < kContentSubfolders; ++i) fs::create_directories(ContentFolder() / ContentSubfolder(i), ec);
  if (ec) {
    error_ = "Cannot create the cache store folder " + root_.string() + ": " + ec.message();
    return;
  }
  for (int i = 0; i < kContentSubfolders; ++i)
    contentFolders_.push_back(OpenStoreFolder("content/" + ContentSubfolder(i)));
  cookieFolder_ = OpenStoreFolder("cookies");
  bool opened = cookieFolder_.files.ok();
  for (const Folder& content : contentFolders_) opened = opened && content.files.ok();
  if (!opened) {
    error_ = "Cannot open the folders of the cache store " + root_.string() + ".";
    return;
  }
  if (!OpenIndex()) return;
  lockFd_ = ::open((root_ / "store.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFd_ >= 0 && flock(lockFd_, LOCK_EX | LOCK_NB) == 0) SweepInterruptedWrites();
  if (lockFd_ >= 0) flock(lockFd_, LOCK_SH);
  user_ = UserName();
}

SqliteUrlCacheStore::~SqliteUrlCacheStore() {
  if (lockFd_ >= 0) ::close(lockFd_);
}

SqliteUrlCacheStore::Folder SqliteUrlCacheStore::OpenStoreFolder(const std::string& relative) const {
  return {OpenFolder(root_ / relative), relative + "/"};
}

bool SqliteUrlCacheStore::OpenIndex() {
  std::string file = (root_ / "index.sqlite").string();
  if (!db_.Open(file, true) || !db_.Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;") ||
      !db_.Execute(kSchema) || !db_.Execute(kOriginSchema)) {
    error_ = "The cache store index " + file + " cannot be used: " + db_.error();
    return false;
  }
  return true;
}

std::string SqliteUrlCacheStore::UserName() {
  SqliteStatement read = db_.Prepare("SELECT value FROM meta WHERE key = 'user'");
  if (read.Step() == SQLITE_ROW) return std::string(read.Bytes(0));
  std::string name = SystemUserName();
  SqliteStatement write = db_.Prepare("INSERT OR IGNORE INTO meta(key, value) VALUES('user', ?)");
  write.BindBytes(1, name);
  write.Step();
  return name;
}

// Removes files that a writer reserved but never committed, or that a delete had
// already taken out of the index; only done while no other process has the store open.
void SqliteUrlCacheStore::SweepInterruptedWrites() {
  std::vector<std::string> pending;
  SqliteStatement list = db_.Prepare("SELECT file FROM pending");
  while (list.Step() == SQLITE_ROW) pending.emplace_back(list.Bytes(0));
  for (const std::string& file : pending) {
    auto used = statements_.Get(kFileInUse);
    used->BindBytes(1, file);
    if (used->Step() != SQLITE_ROW) ::unlink(Absolute(file).c_str());
  }
  ReleasePending(pending);
  std::error_code ec;
  for (const auto& item : fs::directory_iterator(CookieFolder(), ec))
    if (item.path().extension() == ".tmp") fs::remove(item.path(), ec);
}

bool SqliteUrlCacheStore::ReleasePending(const std::vector<std::string>& files) {
  if (files.empty()) return true;
  SqliteTransaction transaction(db_);
  for (const std::string& file : files) {
    auto release = statements_.Get(kRelease);
    release->BindBytes(1, file);
    release->Step();
  }
  return transaction.Commit();
}

void SqliteUrlCacheStore::ToEntry(SqliteStatement& row, CacheEntry& entry) const {
  entry.sourceUrl = row.Bytes(1);
  std::string_view local = row.Bytes(2);
  entry.localFileName = local.empty() ? std::string() : Absolute(local).string();
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
    if (!FillBatch(walk)) return ERROR_STORE_FAILURE;
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
  entry->localFileName = relative.empty() ? std::string() : Absolute(relative).string();
  entry->structSize = size;
  return STORE_OK;
}

uint32_t SqliteUrlCacheStore::SetEntryInfo(std::string_view url, const CacheEntry& entry, uint32_t fieldControl) {
  if (fieldControl != CACHE_ENTRY_ATTRIBUTE_FC) return ERROR_INVALID_PARAMETER;
  auto update = statements_.Get("UPDATE entries SET type = ? WHERE url = ?");
  update->BindInt(1, entry.entryType);
  update->BindBytes(2, url);
  if (update->Step() != SQLITE_DONE) return ERROR_STORE_FAILURE;
  return sqlite3_changes(db_.handle()) == 1 ? STORE_OK : ERROR_FILE_NOT_FOUND;
}

uint32_t SqliteUrlCacheStore::DeleteEntry(std::string_view url) {
  std::optional<Row> row = FindRow(url);
  if (!row) return ERROR_FILE_NOT_FOUND;
  const std::string& file = row->entry.localFileName;
  {
    SqliteTransaction transaction(db_);
    auto remove = statements_.Get("DELETE FROM entries WHERE id = ?");
    remove->BindInt(1, row->id);
    auto reserve = statements_.Get(kReserve);
    reserve->BindBytes(1, file);
    if (!transaction.ok() || remove->Step() != SQLITE_DONE || (!file.empty() && reserve->Step() != SQLITE_DONE) ||
        !PutOrigin(statements_, url, std::nullopt) || !transaction.Commit())
      return ERROR_STORE_FAILURE;
  }
  if (!file.empty()) {
    ::unlink(Absolute(file).c_str());
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

// Picks a name in `folder` that no other writer's reservation has, nor any file: one
// on the disk where `lookAtDisk`, else one of a row (a file the index does not know
// then shows when it is created). Records it as pending and gives its path relative to
// the store folder, or empty when the index fails. After the plain name, numbering goes
// on from where it last stopped for that name, so a common name costs no rescan.
// REQUIRES: a transaction is open.
std::string SqliteUrlCacheStore::ReserveFile(const Folder& folder, const std::string& name, bool lookAtDisk) {
  const std::string& relativeFolder = folder.relative;
  auto reserve = statements_.Get(kReserve);
  auto inUse = statements_.Get(kFileInUse);
  std::string chosen;
  bool failed = false;
  auto claim = [&](const std::string& candidate) {
    chosen = relativeFolder + candidate;
    if (lookAtDisk) {
      if (folder.files.Has(candidate.c_str())) return false;
    } else {
      inUse->Reset();
      inUse->BindBytes(1, chosen);
      int step = inUse->Step();
      failed = step != SQLITE_ROW && step != SQLITE_DONE;
      if (failed || step == SQLITE_ROW) return failed;
    }
    reserve->Reset();
    reserve->BindBytes(1, chosen);
    failed = reserve->Step() != SQLITE_DONE;
    return failed || sqlite3_changes(db_.handle()) == 1;
  };
  if (!claim(name)) {
    unsigned& next = nextNumber_[relativeFolder + name];
    next = std::max(next, 1u);
    while (!claim(NumberedFileName(name, next))) ++next;
    ++next;
  }
  return failed ? std::string() : chosen;
}

uint32_t SqliteUrlCacheStore::PutRow(const Row& row, const std::optional<Row>& old) {
  auto loan = statements_.Get(old ? kUpdateRow : kInsertRow);
  SqliteStatement& put = *loan;
  const CacheEntry& e = row.entry;
  put.BindBytes(1, e.sourceUrl);
  put.BindBytes(2, e.localFileName);
  put.BindInt(3, e.entryType);
  put.BindInt(4, e.useCount);
  put.BindInt(5, e.hitRate);
  put.BindInt(6, e.sizeLow);
  put.BindInt(7, e.sizeHigh);
  put.BindInt(8, static_cast<int64_t>(e.lastModifiedTime));
  put.BindInt(9, static_cast<int64_t>(e.expireTime));
  put.BindInt(10, static_cast<int64_t>(e.lastAccessTime));
  put.BindInt(11, static_cast<int64_t>(e.lastSyncTime));
  put.BindBytes(12, e.headerInfo);
  put.BindBytes(13, e.fileExtension);
  put.BindInt(14, e.exemptDelta);
  if (old) put.BindInt(15, old->id);
  if (put.Step() != SQLITE_DONE) return ERROR_STORE_FAILURE;
  if (!e.localFileName.empty()) {
    auto release = statements_.Get(kRelease);
    release->BindBytes(1, e.localFileName);
    if (release->Step() != SQLITE_DONE) return ERROR_STORE_FAILURE;
  }
  if (old && !old->entry.localFileName.empty() && old->entry.localFileName != e.localFileName) {
    auto reserve = statements_.Get(kReserve);
    reserve->BindBytes(1, old->entry.localFileName);
    if (reserve->Step() != SQLITE_DONE) return ERROR_STORE_FAILURE;
  }
  return STORE_OK;
}

// Reserves a content file for each entry of `which`, in one transaction; false, with
// their names cleared, when the index fails.
bool SqliteUrlCacheStore::ReserveContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which,
                                              bool lookAtDisk, std::vector<std::string>& files) {
  SqliteTransaction transaction(db_);
  bool reserved = transaction.ok();
  for (size_t i = 0; reserved && i < which.size(); ++i) {
    const NewEntry& e = entries[which[i]];
    files[which[i]] = ReserveFile(contentFolders_[ContentSlot(e.url)], CacheFileName(e.url), lookAtDisk);
    reserved = !files[which[i]].empty();
  }
  if (reserved && transaction.Commit()) return true;
  for (size_t i : which) files[i].clear();
  return false;
}

// Creates the reserved files of the entries of `which`. Creating files costs the system
// more than the index costs SQLite, so with many a helper thread creates some of them
// while this one creates the others.
void SqliteUrlCacheStore::CreateContentFiles(std::span<const NewEntry> entries, const std::vector<size_t>& which,
                                             const std::vector<std::string>& files,
                                             std::vector<OpenFolder::Creation>& created) const {
  std::atomic<size_t> next = 0;
  auto create = [&] {
    for (size_t k; (k = next++) < which.size();) {
      size_t i = which[k];
      const Folder& folder = contentFolders_[ContentSlot(entries[i].url)];
      created[i] = folder.files.CreateWholeFile(files[i].c_str() + folder.relative.size(), entries[i].content);
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

uint32_t SqliteUrlCacheStore::AddEntry(const NewEntry& entry) { return AddEntries(std::span(&entry, 1)); }

uint32_t SqliteUrlCacheStore::AddEntries(std::span<const NewEntry> entries) {
  for (const NewEntry& e : entries)
    if (e.url.empty()) return ERROR_INVALID_PARAMETER;
  using Creation = OpenFolder::Creation;
  std::vector<std::string> files(entries.size()), strays;
  std::vector<Creation> created(entries.size(), Creation::NameTaken);
  uint32_t result = STORE_OK;
  // Names are chosen against the index first. Where something that neither a row nor
  // a reservation knows holds a name, its entry chooses again, looking at the disk.
  for (int round = 0; round < kNamingRounds && result == STORE_OK; ++round) {
    std::vector<size_t> naming;
    for (size_t i = 0; i < entries.size(); ++i)
      if (created[i] == Creation::NameTaken) naming.push_back(i);
    if (naming.empty()) break;
    for (size_t i : naming)
      if (!files[i].empty()) strays.push_back(files[i]);
    if (!ReserveContentFiles(entries, naming, round > 0, files))
      result = ERROR_STORE_FAILURE;
    else
      CreateContentFiles(entries, naming, files, created);
  }
  for (size_t i = 0; i < entries.size() && result == STORE_OK; ++i)
    if (created[i] != Creation::Written) result = ERROR_ACCESS_DENIED;

  std::vector<std::string> replaced;
  if (result == STORE_OK) {
    SqliteTransaction transaction(db_);
    for (size_t i = 0; i < entries.size() && result == STORE_OK; ++i) {
      const NewEntry& e = entries[i];
      Row row;
      row.entry.sourceUrl = e.url;
      row.entry.localFileName = files[i];
      row.entry.entryType = e.entryType;
      row.entry.useCount = e.useCount;
      row.entry.hitRate = e.hitRate;
      row.entry.sizeLow = static_cast<uint32_t>(e.content.size());
      row.entry.sizeHigh = static_cast<uint32_t>(uint64_t(e.content.size()) >> 32);
      row.entry.lastModifiedTime = e.lastModifiedTime;
      row.entry.expireTime = e.expireTime;
      row.entry.lastAccessTime = e.lastAccessTime;
      row.entry.lastSyncTime = e.lastSyncTime;
      row.entry.headerInfo = e.headers;
      row.entry.fileExtension = FileExtensionOf(files[i].substr(files[i].rfind('/') + 1));
      std::optional<Row> old = FindRow(e.url);
      result = PutRow(row, old);
      // A new entry without an origin has no row in the side table to take away.
      if (result == STORE_OK && (e.origin || old) && !PutOrigin(statements_, e.url, e.origin))
        result = ERROR_STORE_FAILURE;
      if (old && !old->entry.localFileName.empty()) replaced.push_back(old->entry.localFileName);
    }
    if (result == STORE_OK && !transaction.Commit()) result = ERROR_STORE_FAILURE;
  }
  // What was not committed is unreferenced: remove it with its reservation. Names that
  // something else held are only given up.
  std::vector<std::string> obsolete;
  if (result == STORE_OK) {
    obsolete = std::move(replaced);
  } else {
    for (size_t i = 0; i < entries.size(); ++i)
      if (created[i] == Creation::Written)
        obsolete.push_back(files[i]);
      else if (!files[i].empty())
        strays.push_back(files[i]);
  }
  for (const std::string& file : obsolete) ::unlink(Absolute(file).c_str());
  obsolete.insert(obsolete.end(), strays.begin(), strays.end());
  ReleasePending(obsolete);
  return result;
}

uint32_t SqliteUrlCacheStore::RecordVisit(std::string_view address, FileTime when, uint32_t visitCount) {
  if (address.empty()) return ERROR_INVALID_PARAMETER;
  Row row;
  row.entry.sourceUrl = "Visited: @" + std::string(address);
  row.entry.entryType = NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY;
  row.entry.useCount = visitCount;
  row.entry.lastModifiedTime = row.entry.lastAccessTime = row.entry.lastSyncTime = when;
  SqliteTransaction transaction(db_);
  if (!transaction.ok()) return ERROR_STORE_FAILURE;
  uint32_t result = PutRow(row, FindRow(row.entry.sourceUrl));
  if (result == STORE_OK && !transaction.Commit()) result = ERROR_STORE_FAILURE;
  return result;
}

uint32_t SqliteUrlCacheStore::SetCookie(const Cookie& cookie) {
  if (cookie.domain.empty() || CookieSite(cookie.domain).find_first_of("/@ ") != std::string::npos ||
      HasLineBreak(cookie.name) || HasLineBreak(cookie.value) || HasLineBreak(cookie.domain) ||
      HasLineBreak(cookie.path) || !cookie.path.starts_with('/'))
    return ERROR_INVALID_PARAMETER;
  std::string site = CookieSite(cookie.domain);
  std::string key = "Cookie:" + user_ + "@" + site + "/";
  std::optional<Row> old = FindRow(key);
  std::vector<Cookie> cookies;
  if (old && !old->entry.localFileName.empty())
    if (auto text = files::ReadWholeFile(Absolute(old->entry.localFileName))) cookies = ParseCookieFile(*text);
  auto same = [&](const Cookie& c) {
    return c.name == cookie.name && text::ToLowerAscii(c.domain) == text::ToLowerAscii(cookie.domain) &&
           c.path == cookie.path;
  };
  std::erase_if(cookies, same);
  cookies.push_back(cookie);
  std::string text = FormatCookieFile(cookies);

  Row row;
  row.entry.sourceUrl = key;
  row.entry.entryType = NORMAL_CACHE_ENTRY | COOKIE_CACHE_ENTRY;
  row.entry.sizeLow = static_cast<uint32_t>(text.size());
  row.entry.lastModifiedTime = row.entry.lastAccessTime = row.entry.lastSyncTime = FileTimeNow();
  for (const Cookie& c : cookies) row.entry.expireTime = std::max(row.entry.expireTime, c.expiry);
  row.entry.fileExtension = "txt";
  if (old && !old->entry.localFileName.empty()) {
    row.entry.localFileName = old->entry.localFileName;
    if (!ReplaceFileAtomically(Absolute(row.entry.localFileName), text)) return ERROR_ACCESS_DENIED;
  } else {
    SqliteTransaction transaction(db_);
    if (!transaction.ok()) return ERROR_STORE_FAILURE;
    row.entry.localFileName = ReserveFile(cookieFolder_, user_ + "@" + site + ".txt", true);
    if (row.entry.localFileName.empty() || !transaction.Commit()) return ERROR_STORE_FAILURE;
    if (!files::WriteWholeFile(Absolute(row.entry.localFileName), text)) {
      ReleasePending({row.entry.localFileName});
      return ERROR_ACCESS_DENIED;
    }
  }
  SqliteTransaction transaction(db_);
  if (!transaction.ok()) return ERROR_STORE_FAILURE;
  uint32_t result = PutRow(row, old);
  if (result == STORE_OK && !transaction.Commit()) result = ERROR_STORE_FAILURE;
  return result;
}

uint32_t SqliteUrlCacheStore::GetCookie(std::string_view url, char* buffer, uint32_t& size) {
  CookieTarget target;
  std::vector<Cookie> matching;
  if (ParseCookieTarget(url, target)) {
    FileTime now = FileTimeNow();
    // The host's own site and each parent domain may hold cookies for it.
    for (std::string_view site = target.host; !site.empty();) {
      if (std::optional<Row> row = FindRow("Cookie:" + user_ + "@" + std::string(site) + "/");
          row && !row->entry.localFileName.empty())
        if (auto text = files::ReadWholeFile(Absolute(row->entry.localFileName)))
          for (Cookie& c : ParseCookieFile(*text))
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

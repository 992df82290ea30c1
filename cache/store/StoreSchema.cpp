#include "cache/store/StoreSchema.h"

namespace vantry::cache {

namespace {

constexpr const char* kColumns =
    "id, url, local_file, type, use_count, hit_rate, size_low, size_high, last_modified, expire, "
    "last_access, last_sync, headers, extension, exempt_delta";

}  // namespace

const char* const kIndexSettings = "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;";

// Stores made before the pending table was kept without row ids keep theirs; both work.
const char* const kSchema = R"sql(
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
  CREATE TABLE IF NOT EXISTS pending(file BLOB PRIMARY KEY) WITHOUT ROWID;
)sql";

const std::string kSelectByUrl = std::string("SELECT ") + kColumns + " FROM entries WHERE url = ?";
const std::string kSelectBatch =
    std::string("SELECT ") + kColumns + " FROM entries WHERE id > ? ORDER BY id LIMIT " + std::to_string(kBatchRows);
const char* const kSelectFileOfUrl = "SELECT id, local_file FROM entries WHERE url = ?";
const char* const kClaim =
    "INSERT OR IGNORE INTO pending(file) SELECT ?1 WHERE NOT EXISTS (SELECT 1 FROM entries WHERE local_file = ?1)";
const char* const kReserve = "INSERT OR IGNORE INTO pending(file) VALUES(?)";
const char* const kRelease = "DELETE FROM pending WHERE file = ?";
const char* const kFileInUse = "SELECT 1 FROM entries WHERE local_file = ?";
const char* const kInsertRow =
    "INSERT OR IGNORE INTO entries(url, local_file, type, use_count, hit_rate, size_low, size_high, last_modified, "
    "expire, last_access, last_sync, headers, extension, exempt_delta) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)";
const char* const kUpdateRow =
    "UPDATE entries SET local_file=?2, type=?3, use_count=?4, hit_rate=?5, size_low=?6, size_high=?7, "
    "last_modified=?8, expire=?9, last_access=?10, last_sync=?11, headers=?12, extension=?13, "
    "exempt_delta=?14 WHERE id=?15 AND url=?1";

void BindEntryColumns(SqliteStatement& statement, const EntryColumns& row) {
  statement.BindBytesInPlace(1, row.url);
  statement.BindBytesInPlace(2, row.localFile);
  statement.BindInt(3, row.type);
  statement.BindInt(4, row.useCount);
  statement.BindInt(5, row.hitRate);
  statement.BindInt(6, static_cast<uint32_t>(row.size));
  statement.BindInt(7, static_cast<uint32_t>(row.size >> 32));
  statement.BindInt(8, static_cast<int64_t>(row.lastModified));
  statement.BindInt(9, static_cast<int64_t>(row.expire));
  statement.BindInt(10, static_cast<int64_t>(row.lastAccess));
  statement.BindInt(11, static_cast<int64_t>(row.lastSync));
  statement.BindBytesInPlace(12, row.headers);
  statement.BindBytesInPlace(13, row.extension);
  statement.BindInt(14, row.exemptDelta);
}

}  // namespace vantry::cache

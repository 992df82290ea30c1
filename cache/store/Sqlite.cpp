#include "cache/store/Sqlite.h"

#include <cstdio>
#include <utility>

namespace vantry::cache {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) != SQLITE_OK)
    statement_ = nullptr;
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(statement_);
    statement_ = std::exchange(other.statement_, nullptr);
  }
  return *this;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

void SqliteStatement::BindBytes(int index, std::string_view bytes) {
  // A zero-length blob would bind as NULL with a null pointer; "" keeps it a blob.
  sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void SqliteStatement::BindBytesInPlace(int index, std::string_view bytes) {
  sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(), SQLITE_STATIC);
}

void SqliteStatement::BindInt(int index, int64_t value) { sqlite3_bind_int64(statement_, index, value); }

int SqliteStatement::Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE; }

void SqliteStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

std::string_view SqliteStatement::Bytes(int column) const {
  const void* data = sqlite3_column_blob(statement_, column);
  int size = sqlite3_column_bytes(statement_, column);
  return data ? std::string_view(static_cast<const char*>(data), static_cast<size_t>(size)) : std::string_view();
}

namespace {

// `file` as an SQLite URI, whose own characters are escaped.
std::string FileUri(const std::string& file) {
  std::string uri = "file:";
  for (char c : file) {
    if (c == '%' || c == '?' || c == '#') {
      char escaped[4];
      snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      uri += escaped;
    } else {
      uri += c;
    }
  }
  return uri;
}

}  // namespace

SqliteDatabase::~SqliteDatabase() { Close(); }

void SqliteDatabase::Close() {
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool SqliteDatabase::Open(const std::string& file, bool create) {
  Close();
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) return false;
  sqlite3_busy_timeout(db_, 5000);
  return true;
}

bool SqliteDatabase::OpenForReading(const std::string& file, bool immutable) {
  Close();
  int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
  std::string uri = FileUri(file) + (immutable ? "?immutable=1" : "");
  if (sqlite3_open_v2(uri.c_str(), &db_, flags, nullptr) != SQLITE_OK) return false;
  sqlite3_busy_timeout(db_, 5000);
  return true;
}

bool SqliteDatabase::Execute(std::string_view sql) {
  return sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string SqliteDatabase::error() const { return db_ ? sqlite3_errmsg(db_) : "out of memory"; }

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db) { begun_ = db_.Execute("BEGIN IMMEDIATE"); }

SqliteTransaction::~SqliteTransaction() {
  if (begun_ && !done_) db_.Execute("ROLLBACK");
}

bool SqliteTransaction::Commit() {
  done_ = db_.Execute("COMMIT");
  return done_;
}

}  // namespace vantry::cache

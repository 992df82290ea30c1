#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace vantry::cache {

// Thin owners of an SQLite connection and a prepared statement; errors are codes.
class SqliteStatement {
 public:
  SqliteStatement() = default;
  SqliteStatement(sqlite3* db, std::string_view sql);
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&& other) noexcept;
  ~SqliteStatement();

  bool valid() const { return statement_ != nullptr; }
  // Binds are 1-based, as in SQLite; texts are bound as blobs so any byte survives.
  void BindBytes(int index, std::string_view bytes);
  // As BindBytes, without a copy. REQUIRES: `bytes` stay until the statement is reset.
  void BindBytesInPlace(int index, std::string_view bytes);
  void BindInt(int index, int64_t value);
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  void Reset();

  int64_t Int(int column) const;
  std::string_view Bytes(int column) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
};

class SqliteDatabase {
 public:
  SqliteDatabase() = default;
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;
  ~SqliteDatabase();

  // Opens or creates the file; on failure returns false and error() says why. A file that
  // may not be written is opened for reading (IsReadOnly()).
  bool Open(const std::string& file, bool create);
  // Opens the file for reading only. `immutable`: promise that nothing changes it while
  // open, so that no lock and no shared-memory file is needed (a store on a read-only medium).
  bool OpenForReading(const std::string& file, bool immutable);
  void Close();
  bool IsReadOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }
  // Runs statements that return no rows.
  bool Execute(std::string_view sql);
  SqliteStatement Prepare(std::string_view sql) { return SqliteStatement(db_, sql); }
  sqlite3* handle() const { return db_; }
  std::string error() const;
  // The extended result code of the last failure, and the errno of SQLite's last system call.
  int errorCode() const { return db_ ? sqlite3_extended_errcode(db_) : SQLITE_NOMEM; }
  int systemError() const { return db_ ? sqlite3_system_errno(db_) : 0; }

 private:
  sqlite3* db_ = nullptr;
};

// Commits on Commit(), rolls back when left without it.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDatabase& db);
  ~SqliteTransaction();
  bool ok() const { return begun_; }
  bool Commit();

 private:
  SqliteDatabase& db_;
  bool begun_ = false;
  bool done_ = false;
};

}  // namespace vantry::cache

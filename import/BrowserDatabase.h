#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "cache/store/Sqlite.h"

namespace vantry::import {

// A private copy of a browser's SQLite database, taken together with its "-wal" and
// "-journal" companions, so that the browser's own files are only ever read (also
// while the browser runs and holds its locks). The copy is removed on destruction.
class DatabaseSnapshot {
 public:
  // Copies and opens `file`; nothing, with `error` set, when it cannot be read or is
  // not a usable SQLite database.
  static std::unique_ptr<DatabaseSnapshot> Take(const std::filesystem::path& file, std::string& error);
  ~DatabaseSnapshot();
  DatabaseSnapshot(const DatabaseSnapshot&) = delete;
  DatabaseSnapshot& operator=(const DatabaseSnapshot&) = delete;

  cache::SqliteDatabase& db() { return db_; }
  // Whether the database has a table of that name.
  bool HasTable(const std::string& table);
  // Whether `table` has a column of that name.
  bool HasColumn(const std::string& table, const std::string& column);

 private:
  DatabaseSnapshot() = default;
  std::filesystem::path folder_;
  cache::SqliteDatabase db_;
};

// The message for a query that failed on a snapshot of `file`.
std::string DatabaseReadError(const std::filesystem::path& file, cache::SqliteDatabase& db);

}  // namespace vantry::import

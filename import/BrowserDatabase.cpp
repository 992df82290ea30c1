#include "import/BrowserDatabase.h"

#include <cstdlib>

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

fs::path MakePrivateFolder() {
  std::string pattern = (fs::temp_directory_path() / "vantry-import-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

}  // namespace

std::unique_ptr<DatabaseSnapshot> DatabaseSnapshot::Take(const fs::path& file, std::string& error) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) {
    error = file.string() + " was not found.";
    return nullptr;
  }
  std::unique_ptr<DatabaseSnapshot> snapshot(new DatabaseSnapshot);
  snapshot->folder_ = MakePrivateFolder();
  if (snapshot->folder_.empty()) {
    error = "No temporary folder for a copy of " + file.string() + ".";
    return nullptr;
  }
  fs::path copy = snapshot->folder_ / file.filename();
  for (const char* suffix : {"", "-wal", "-journal"}) {
    fs::path source = file.string() + suffix;
    if (*suffix && !fs::exists(source, ec)) continue;
    if (!fs::copy_file(source, copy.string() + suffix, ec)) {
      error = "Cannot read " + source.string() + ": " + ec.message() + ".";
      return nullptr;
    }
  }
  // Reading the schema proves the copy is a whole database and not a half-written file.
  if (!snapshot->db_.Open(copy.string(), false) || !snapshot->db_.Execute("SELECT count(*) FROM sqlite_master")) {
    error = DatabaseReadError(file, snapshot->db_);
    return nullptr;
  }
  return snapshot;
}

DatabaseSnapshot::~DatabaseSnapshot() {
  std::error_code ec;
  if (!folder_.empty()) fs::remove_all(folder_, ec);
}

bool DatabaseSnapshot::HasTable(const std::string& table) {
  cache::SqliteStatement query =
      db_.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = CAST(? AS TEXT)");
  query.BindBytes(1, table);
  return query.Step() == SQLITE_ROW;
}

bool DatabaseSnapshot::HasColumn(const std::string& table, const std::string& column) {
  cache::SqliteStatement query =
      db_.Prepare("SELECT 1 FROM pragma_table_info(CAST(? AS TEXT)) WHERE name = CAST(? AS TEXT)");
  query.BindBytes(1, table);
  query.BindBytes(2, column);
  return query.Step() == SQLITE_ROW;
}

std::string DatabaseReadError(const fs::path& file, cache::SqliteDatabase& db) {
  return "Cannot read " + file.string() + ": " + db.error() +
         " (if the browser is writing it, close the browser and import again).";
}

}  // namespace vantry::import

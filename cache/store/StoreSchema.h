#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cache/store/CacheEntry.h"
#include "cache/store/Sqlite.h"

namespace vantry::cache {

// The store's index: its settings, tables and the statements the store runs on them.

inline constexpr int kBatchRows = 256;  // rows a walk reads at a time

extern const char* const kIndexSettings;
extern const char* const kSchema;

extern const std::string kSelectByUrl;  // every column of the row of ?1
extern const std::string kSelectBatch;  // every column of the kBatchRows rows after id ?1
extern const char* const kSelectFileOfUrl;
extern const char* const kClaim;    // reserves the file ?1 where neither a row nor a reservation has it
extern const char* const kReserve;  // reserves the file ?1, which a row may still name
extern const char* const kRelease;
extern const char* const kFileInUse;
extern const char* const kInsertRow;  // a new row of the columns ?1..?14, unless the URL has one
extern const char* const kUpdateRow;  // the columns ?2..?14 of the row ?15 of the URL ?1

// The columns of one entry as the store writes them; the texts are only viewed.
struct EntryColumns {
  std::string_view url = {};
  std::string_view localFile = {};  // relative to the store folder
  std::string_view headers = {};
  std::string_view extension = {};
  uint32_t type = 0;
  uint32_t useCount = 0;
  uint32_t hitRate = 0;
  uint64_t size = 0;
  FileTime lastModified = 0;
  FileTime expire = 0;
  FileTime lastAccess = 0;
  FileTime lastSync = 0;
  uint32_t exemptDelta = 0;
};

// Binds the columns to ?1..?14 of kInsertRow or kUpdateRow, without copying the texts.
void BindEntryColumns(SqliteStatement& statement, const EntryColumns& row);

}  // namespace vantry::cache

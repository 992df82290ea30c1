#pragma once

#include <optional>
#include <string_view>

#include "cache/store/EntryOrigin.h"
#include "cache/store/StatementCache.h"

// The origins of imported entries: a side table of the index keyed by the entry's URL. Its
// rows are written and removed in the transactions that write and remove their entries, so
// that the index never holds an origin without its entry.
namespace vantry::cache {

inline constexpr const char* kOriginSchema = R"sql(
  CREATE TABLE IF NOT EXISTS origins(
    url BLOB PRIMARY KEY,
    browser BLOB NOT NULL,
    profile BLOB NOT NULL,
    profile_folder BLOB NOT NULL,
    entry_file BLOB NOT NULL) WITHOUT ROWID;
)sql";

// Gives `url`'s entry the origin, or takes the one it had away. False when the index fails.
// REQUIRES: a transaction is open.
bool PutOrigin(StatementCache& statements, std::string_view url, const std::optional<EntryOrigin>& origin);

// The origin of `url`'s entry, if it has one.
std::optional<EntryOrigin> ReadOrigin(StatementCache& statements, std::string_view url);

}  // namespace vantry::cache

#include "cache/store/OriginTable.h"

namespace vantry::cache {

bool PutOrigin(StatementCache& statements, std::string_view url, const std::optional<EntryOrigin>& origin) {
  if (!origin) {
    auto remove = statements.Get("DELETE FROM origins WHERE url = ?");
    remove->BindBytes(1, url);
    return remove->Step() == SQLITE_DONE;
  }
  auto put = statements.Get(
      "INSERT OR REPLACE INTO origins(url, browser, profile, profile_folder, entry_file) VALUES(?, ?, ?, ?, ?)");
  put->BindBytes(1, url);
  put->BindBytes(2, origin->browser);
  put->BindBytes(3, origin->profile);
  put->BindBytes(4, origin->profileFolder);
  put->BindBytes(5, origin->entryFile);
  return put->Step() == SQLITE_DONE;
}

std::optional<EntryOrigin> ReadOrigin(StatementCache& statements, std::string_view url) {
  auto read = statements.Get("SELECT browser, profile, profile_folder, entry_file FROM origins WHERE url = ?");
  read->BindBytes(1, url);
  if (read->Step() != SQLITE_ROW) return std::nullopt;
  return EntryOrigin{std::string(read->Bytes(0)), std::string(read->Bytes(1)), std::string(read->Bytes(2)),
                     std::string(read->Bytes(3))};
}

}  // namespace vantry::cache

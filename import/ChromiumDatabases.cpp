#include "import/ChromiumDatabases.h"

#include <cstdlib>

#include "import/BrowserDatabase.h"
#include "import/CookieDecryption.h"

namespace vantry::import {

namespace fs = std::filesystem;

VisitRead ReadChromiumVisits(const fs::path& historyFile) {
  VisitRead read;
  std::unique_ptr<DatabaseSnapshot> snapshot = DatabaseSnapshot::Take(historyFile, read.error);
  if (!snapshot) return read;
  cache::SqliteStatement query = snapshot->db().Prepare(
      "SELECT u.url, MAX(v.visit_time), MAX(u.visit_count, COUNT(v.id)) FROM visits v "
      "JOIN urls u ON u.id = v.url GROUP BY u.id ORDER BY MAX(v.visit_time)");
  int step = query.valid() ? query.Step() : SQLITE_ERROR;
  for (; step == SQLITE_ROW; step = query.Step())
    read.visits.push_back({std::string(query.Bytes(0)), FileTimeFromWindowsMicroseconds(query.Int(1)),
                           static_cast<uint32_t>(query.Int(2))});
  if (step != SQLITE_DONE) read.error = DatabaseReadError(historyFile, snapshot->db());
  return read;
}

static int DatabaseVersion(cache::SqliteDatabase& db) {
  cache::SqliteStatement query = db.Prepare("SELECT value FROM meta WHERE key = 'version'");
  if (query.Step() != SQLITE_ROW) return 0;
  return std::atoi(std::string(query.Bytes(0)).c_str());
}

CookieRead ReadChromiumCookies(const fs::path& cookiesFile, size_t& undecryptable, const KeyringPasswords& keyring) {
  CookieRead read;
  std::unique_ptr<DatabaseSnapshot> snapshot = DatabaseSnapshot::Take(cookiesFile, read.error);
  if (!snapshot) return read;
  int version = DatabaseVersion(snapshot->db());
  // Columns were renamed once ("secure" became "is_secure"); take whichever exists.
  std::string secure = snapshot->HasColumn("cookies", "is_secure") ? "is_secure" : "secure";
  std::string httpOnly = snapshot->HasColumn("cookies", "is_httponly") ? "is_httponly" : "httponly";
  std::string hasExpires = snapshot->HasColumn("cookies", "has_expires") ? "has_expires" : "expires_utc != 0";
  cache::SqliteStatement query =
      snapshot->db().Prepare("SELECT name, value, encrypted_value, host_key, path, expires_utc, creation_utc, " +
                             secure + ", " + httpOnly + ", " + hasExpires + " FROM cookies ORDER BY creation_utc");
  std::vector<std::string> passwords;
  bool keyringAsked = false;
  int step = query.valid() ? query.Step() : SQLITE_ERROR;
  for (; step == SQLITE_ROW; step = query.Step()) {
    ImportedCookie imported;
    cache::Cookie& c = imported.cookie;
    c.name = query.Bytes(0);
    c.value = query.Bytes(1);
    c.domain = query.Bytes(3);
    c.path = query.Bytes(4);
    if (std::string_view encrypted = query.Bytes(2); c.value.empty() && !encrypted.empty()) {
      if (!keyringAsked && keyring && encrypted.starts_with("v11")) {
        keyringAsked = true;
        passwords = keyring();
      }
      CookieValue value = DecryptChromiumCookie(encrypted, c.domain, version, passwords);
      if (value.state == CookieValueState::Damaged) {
        ++undecryptable;
        continue;
      }
      imported.needsKeyring = value.state == CookieValueState::NeedsKeyring;
      c.value = std::move(value.value);
    }
    c.expiry = query.Int(9) ? FileTimeFromWindowsMicroseconds(query.Int(5)) : 0;
    c.creation = FileTimeFromWindowsMicroseconds(query.Int(6));
    c.flags = (query.Int(7) ? cache::COOKIE_FLAG_SECURE : 0) | (query.Int(8) ? cache::COOKIE_FLAG_HTTPONLY : 0);
    read.cookies.push_back(std::move(imported));
  }
  if (step != SQLITE_DONE) read.error = DatabaseReadError(cookiesFile, snapshot->db());
  return read;
}

}  // namespace vantry::import

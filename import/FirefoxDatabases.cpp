#include "import/FirefoxDatabases.h"

#include <algorithm>

#include "import/BrowserDatabase.h"

namespace vantry::import {

namespace {

// Seconds past this are taken as milliseconds: it is the year 5138 in seconds.
constexpr int64_t kLargestExpiryInSeconds = 100000000000LL;
// Times are kept below the year 9999 so that they stay valid file times.
constexpr int64_t kLatestUnixSecond = 253402300799LL;

}  // namespace

cache::FileTime FileTimeFromUnixMicroseconds(int64_t microseconds) {
  if (microseconds <= 0) return 0;
  microseconds = std::min(microseconds, kLatestUnixSecond * 1000000);
  return cache::kUnixEpochAsFileTime + static_cast<cache::FileTime>(microseconds) * 10;
}

cache::FileTime FileTimeFromWindowsMicroseconds(int64_t microseconds) {
  if (microseconds <= 0) return 0;
  return static_cast<cache::FileTime>(std::min(microseconds, int64_t(INT64_MAX / 10)) * 10);
}

cache::FileTime FirefoxCookieExpiry(int64_t expiry) {
  if (expiry <= 0) return 0;
  int64_t seconds = expiry > kLargestExpiryInSeconds ? expiry / 1000 : expiry;
  return cache::FileTimeFromUnixSeconds(std::min(seconds, kLatestUnixSecond));
}

VisitRead ReadFirefoxVisits(const std::filesystem::path& placesFile) {
  VisitRead read;
  std::unique_ptr<DatabaseSnapshot> snapshot = DatabaseSnapshot::Take(placesFile, read.error);
  if (!snapshot) return read;
  cache::SqliteStatement query = snapshot->db().Prepare(
      "SELECT p.url, MAX(v.visit_date), MAX(p.visit_count, COUNT(v.id)) FROM moz_historyvisits v "
      "JOIN moz_places p ON p.id = v.place_id GROUP BY p.id ORDER BY MAX(v.visit_date)");
  int step = query.valid() ? query.Step() : SQLITE_ERROR;
  for (; step == SQLITE_ROW; step = query.Step())
    read.visits.push_back(
        {std::string(query.Bytes(0)), FileTimeFromUnixMicroseconds(query.Int(1)), static_cast<uint32_t>(query.Int(2))});
  if (step != SQLITE_DONE) read.error = DatabaseReadError(placesFile, snapshot->db());
  return read;
}

CookieRead ReadFirefoxCookies(const std::filesystem::path& cookiesFile) {
  CookieRead read;
  std::unique_ptr<DatabaseSnapshot> snapshot = DatabaseSnapshot::Take(cookiesFile, read.error);
  if (!snapshot) return read;
  cache::SqliteStatement query = snapshot->db().Prepare(
      "SELECT name, value, host, path, expiry, creationTime, isSecure, isHttpOnly FROM moz_cookies "
      "ORDER BY creationTime");
  int step = query.valid() ? query.Step() : SQLITE_ERROR;
  for (; step == SQLITE_ROW; step = query.Step()) {
    ImportedCookie& imported = read.cookies.emplace_back();
    cache::Cookie& c = imported.cookie;
    c.name = query.Bytes(0);
    c.value = query.Bytes(1);
    c.domain = query.Bytes(2);
    c.path = query.Bytes(3);
    c.expiry = FirefoxCookieExpiry(query.Int(4));
    c.creation = FileTimeFromUnixMicroseconds(query.Int(5));
    c.flags = (query.Int(6) ? cache::COOKIE_FLAG_SECURE : 0) | (query.Int(7) ? cache::COOKIE_FLAG_HTTPONLY : 0);
  }
  if (step != SQLITE_DONE) read.error = DatabaseReadError(cookiesFile, snapshot->db());
  return read;
}

}  // namespace vantry::import

// Fills a fresh store with synthetic entries and compares WalkCache over all of them with a
// raw scan of the same SQLite index that reads every column of every row, in one run.
// Goal: the walk takes at most 2 times the raw scan.
//
// Usage: bench_cache_walk [ENTRIES] [FOLDER]   (defaults: 100000, a new folder in $TMPDIR)

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cache/store/CacheAccess.h"
#include "cache/store/SqliteUrlCacheStore.h"
#include "tools/vantry-store/SyntheticEntries.h"

namespace vantry::bench {

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 7;

double Seconds(const std::function<void()>& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// What the walk's step does with each entry: read every field once.
uint64_t Touch(const cache::CacheEntry& e) {
  return e.sourceUrl.size() + e.localFileName.size() + e.headerInfo.size() + e.fileExtension.size() + e.entryType +
         e.useCount + e.hitRate + e.sizeLow + e.sizeHigh + e.lastModifiedTime + e.expireTime + e.lastAccessTime +
         e.lastSyncTime + e.exemptDelta;
}

uint64_t WalkAll(cache::UrlCacheStore& store, uint64_t& rows) {
  uint64_t sum = 0;
  rows = 0;
  if (cache::WalkCache(store, "", [&](cache::CacheEntry& e) { sum += Touch(e), ++rows; }) !=
      cache::WalkResult::Normal) {
    fprintf(stderr, "the walk failed\n");
    exit(1);
  }
  return sum;
}

// Every column of every row, as SQLite hands them out, without the store in between.
uint64_t RawScan(sqlite3* db, uint64_t& rows) {
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM entries ORDER BY id", -1, &select, nullptr);
  uint64_t sum = 0;
  rows = 0;
  int columns = sqlite3_column_count(select);
  while (sqlite3_step(select) == SQLITE_ROW) {
    ++rows;
    for (int c = 0; c < columns; ++c) {
      if (sqlite3_column_type(select, c) == SQLITE_INTEGER) {
        sum += static_cast<uint64_t>(sqlite3_column_int64(select, c));
      } else {
        const void* bytes = sqlite3_column_blob(select, c);
        sum += static_cast<uint64_t>(sqlite3_column_bytes(select, c)) + (bytes != nullptr);
      }
    }
  }
  sqlite3_finalize(select);
  return sum;
}

uint64_t FileSize(const fs::path& path) {
  std::error_code ec;
  uint64_t size = fs::file_size(path, ec);
  return ec ? 0 : size;
}

}  // namespace

int Main(int argc, char** argv) {
  uint64_t entries = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
  fs::path folder;
  bool ownFolder = argc <= 2;
  if (ownFolder) {
    std::string pattern = (fs::temp_directory_path() / "vantry-bench-XXXXXX").string();
    folder = fs::path(mkdtemp(pattern.data())) / "store";
  } else {
    folder = argv[2];
  }

  double addSeconds = 0;
  {
    cache::SqliteUrlCacheStore store(folder);
    if (!store.error().empty()) {
      fprintf(stderr, "%s\n", store.error().c_str());
      return 1;
    }
    storetool::SynthSummary summary;
    addSeconds = Seconds([&] {
      if (storetool::AddSyntheticEntries(store, 0, entries, time(nullptr), summary) != cache::STORE_OK) {
        fprintf(stderr, "adding the synthetic entries failed\n");
        exit(1);
      }
    });
    printf("added %llu entries in %.2f s (%.1f us per entry): %llu content, %llu history, %llu cookie sites\n",
           static_cast<unsigned long long>(entries), addSeconds, addSeconds * 1e6 / entries,
           static_cast<unsigned long long>(summary.content), static_cast<unsigned long long>(summary.visits),
           static_cast<unsigned long long>(summary.cookieSites));
  }
  // Closing the store's last connection folds the write-ahead log into the index file.
  uint64_t indexBytes = FileSize(folder / "index.sqlite") + FileSize(folder / "index.sqlite-wal");
  printf("index on disk: %llu bytes, %.1f bytes per entry\n", static_cast<unsigned long long>(indexBytes),
         static_cast<double>(indexBytes) / entries);

  cache::SqliteUrlCacheStore store(folder);
  sqlite3* raw = nullptr;
  if (sqlite3_open_v2((folder / "index.sqlite").c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    fprintf(stderr, "cannot open the index for the raw scan\n");
    return 1;
  }
  uint64_t walkRows = 0, rawRows = 0, sink = 0;
  sink += WalkAll(store, walkRows) + RawScan(raw, rawRows);  // warm both up
  if (walkRows != rawRows || walkRows != entries) {
    fprintf(stderr, "the walk saw %llu entries, the raw scan %llu rows, expected %llu\n",
            static_cast<unsigned long long>(walkRows), static_cast<unsigned long long>(rawRows),
            static_cast<unsigned long long>(entries));
    return 1;
  }
  std::vector<double> walk, scan;
  for (int round = 0; round < kRounds; ++round) {
    walk.push_back(Seconds([&] { sink += WalkAll(store, walkRows); }));
    scan.push_back(Seconds([&] { sink += RawScan(raw, rawRows); }));
  }
  sqlite3_close(raw);
  double ratio = Median(walk) / Median(scan);
  printf("WalkCache over all entries: %.1f ms (median of %d)\n", Median(walk) * 1e3, kRounds);
  printf("raw scan of the index:      %.1f ms (median of %d)\n", Median(scan) * 1e3, kRounds);
  printf("walk / raw scan: %.2f (goal: at most 2.00) %s\n", ratio, ratio <= 2.0 ? "met" : "MISSED");
  printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
  if (ownFolder) fs::remove_all(folder.parent_path());
  return 0;
}

}  // namespace vantry::bench

int main(int argc, char** argv) { return vantry::bench::Main(argc, argv); }

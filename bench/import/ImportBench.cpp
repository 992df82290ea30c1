// Times the import of a synthetic Firefox cache2 folder, a synthetic Simple Cache folder
// and a synthetic blockfile cache folder against reading the same files whole, and
// prints the ratio of the two; beside it, copying the same files into new ones, the
// least that keeping their bytes costs.
// Usage: import_bench [ENTRIES [ROUNDS]]   (default 20000 per format, 3 rounds)
// Its folders go to TMPDIR; run it with TMPDIR on a memory file system (/dev/shm), so
// that a disk's write speed, or a reclaim of freshly written files, is not measured.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/WholeFile.h"
#include "import/CacheFolderImport.h"
#include "import/CacheImport.h"
#include "import/FirefoxCacheEntry.h"
#include "import/ProfileImport.h"
#include "import/SimpleCacheEntry.h"
#include "import/tests/BlockfileWriter.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::bench {

namespace fs = std::filesystem;

namespace {

// Text bodies of 1 to 16 KiB; every fifth one is sent gzip-encoded, as scripts and
// pages often are.
struct Body {
  std::string bytes;
  bool gzip;
};

Body MakeBody(std::mt19937& random, int index) {
  static const std::string kWords[] = {"cache ",    "entry ", "<div class=\"x\">", "</div>\n",
                                       "function ", "var ",   "return ",           "0123456789 "};
  std::string text;
  size_t size = 1024 + random() % (15 * 1024);
  while (text.size() < size) text += kWords[random() % 8];
  bool gzip = index % 5 == 0;
  return {gzip ? import::GzipBytes(text) : text, gzip};
}

void MakeFirefoxFolder(const fs::path& entries, int count) {
  std::mt19937 random(1);
  for (int i = 0; i < count; ++i) {
    Body body = MakeBody(random, i);
    import::FirefoxEntryParts parts;
    parts.key = "O^partitionKey=%28https%2Cexample.com%29,:https://example.com/page/" + std::to_string(i) + ".html";
    parts.body = std::move(body.bytes);
    parts.responseHead = std::string("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n") +
                         (body.gzip ? "Content-Encoding: gzip\r\n" : "") + "Cache-Control: max-age=600\r\n\r\n";
    parts.lastFetched = 1700000000 + static_cast<uint32_t>(i);
    import::WriteBytes(entries / import::FirefoxEntryFileName(parts.key), import::BuildFirefoxEntry(parts));
  }
}

// The key and response lines of entry `i` in both Chromium formats.
std::string ChromiumKey(int i) {
  return "1/0/_dk_https://example.com https://example.com https://example.com/page/" + std::to_string(i) + ".html";
}

std::vector<std::string> ChromiumHeaderLines(bool gzip) {
  std::vector<std::string> lines = {"HTTP/1.1 200 OK", "Content-Type: text/html", "Cache-Control: max-age=600"};
  if (gzip) lines.push_back("Content-Encoding: gzip");
  return lines;
}

void MakeSimpleCacheFolder(const fs::path& folder, int count) {
  std::mt19937 random(2);
  for (int i = 0; i < count; ++i) {
    Body body = MakeBody(random, i);
    import::SimpleEntryParts parts;
    parts.key = ChromiumKey(i);
    parts.body = std::move(body.bytes);
    parts.headerLines = ChromiumHeaderLines(body.gzip);
    parts.responseTime += static_cast<uint64_t>(i) * 1000000;
    import::WriteBytes(folder / import::SimpleCacheFileName(parts.key), import::BuildSimpleCacheEntry(parts));
  }
}

void MakeBlockfileFolder(const fs::path& folder, int count) {
  std::mt19937 random(3);
  import::BlockfileWriter writer;
  for (int i = 0; i < count; ++i) {
    Body body = MakeBody(random, i);
    import::BlockfileEntryParts parts;
    parts.key = ChromiumKey(i);
    parts.body = std::move(body.bytes);
    parts.headerLines = ChromiumHeaderLines(body.gzip);
    parts.responseTime += static_cast<uint64_t>(i) * 1000000;
    parts.lastUsed = parts.responseTime + 1000000;
    writer.Add(parts);
  }
  writer.Write(folder);
}

// Real time, and the processor time of the process in its own code and in the kernel's:
// on a busy machine the processor times show what the work costs and where.
struct Timing {
  double real = 1e9;
  double user = 0;
  double system = 0;
};

double SecondsOf(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

Timing Time(const std::function<void()>& work) {
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  auto start = std::chrono::steady_clock::now();
  work();
  Timing timing{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
  getrusage(RUSAGE_SELF, &after);
  timing.user = SecondsOf(after.ru_utime) - SecondsOf(before.ru_utime);
  timing.system = SecondsOf(after.ru_stime) - SecondsOf(before.ru_stime);
  return timing;
}

// The best of the rounds: the one of the least real time.
void KeepBest(Timing& best, const Timing& round) {
  if (round.real < best.real) best = round;
}

std::string Line(const Timing& timing, const Timing& read) {
  std::ostringstream line;
  line << timing.real * 1000 << " ms, ratio " << timing.real / read.real << " (processor " << timing.user * 1000
       << " ms own + " << timing.system * 1000 << " ms kernel, ratio "
       << (timing.user + timing.system) / (read.user + read.system) << ")";
  return line.str();
}

// Reads every file whole (open, one read, close): the reference of the goal.
size_t ReadAll(const std::vector<std::string>& files) {
  size_t bytes = 0;
  std::string content;
  for (const std::string& path : files) {
    import::FileByteSource file(path.c_str(), AT_FDCWD);
    if (file.ok() && file.Read(0, file.Size(), content)) bytes += content.size();
  }
  return bytes;
}

// Reads every file whole and writes its bytes to a new file of `folder`: what any import
// that keeps the files' content costs the kernel at least.
void CopyAll(const std::vector<std::string>& files, const fs::path& folder) {
  fs::create_directories(folder);
  std::string content;
  for (size_t i = 0; i < files.size(); ++i) {
    import::FileByteSource file(files[i].c_str(), AT_FDCWD);
    if (file.ok() && file.Read(0, file.Size(), content))
      files::WriteWholeFile((folder / std::to_string(i)).string(), content);
  }
}

// A store that takes every entry and keeps nothing: the import's own work, without
// the store's file and index writes.
class DiscardingStore : public cache::UrlCacheStore {
 public:
  uint32_t FindFirstEntry(std::string_view, cache::CacheEntry&, uint32_t&, cache::WalkHandle&) override {
    return cache::ERROR_NO_MORE_ITEMS;
  }
  uint32_t FindNextEntry(cache::WalkHandle, cache::CacheEntry&, uint32_t&) override {
    return cache::ERROR_NO_MORE_ITEMS;
  }
  void FindCloseWalk(cache::WalkHandle) override {}
  uint32_t GetEntryInfo(std::string_view, cache::CacheEntry*, uint32_t&) override {
    return cache::ERROR_FILE_NOT_FOUND;
  }
  uint32_t SetEntryInfo(std::string_view, const cache::CacheEntry&, uint32_t) override {
    return cache::ERROR_FILE_NOT_FOUND;
  }
  uint32_t DeleteEntry(std::string_view) override { return cache::ERROR_FILE_NOT_FOUND; }
  uint32_t GetCookie(std::string_view, char*, uint32_t& size) override { return size = 0, cache::STORE_OK; }
  void SetConnectedState(uint32_t, uint32_t) override {}
  bool IsOffline() const override { return true; }
  uint32_t AddEntry(const cache::NewEntry&) override { return cache::STORE_OK; }
  uint32_t AddEntries(std::span<const cache::NewEntry>) override { return cache::STORE_OK; }
  uint32_t RecordVisit(std::string_view, cache::FileTime, uint32_t) override { return cache::STORE_OK; }
  uint32_t SetCookie(const cache::Cookie&) override { return cache::STORE_OK; }
  fs::path RootFolder() const override { return {}; }
  fs::path ContentFolder() const override { return {}; }
  fs::path CookieFolder() const override { return {}; }
};

// Imports into `importer` and finishes it.
using ImportInto = std::function<void(import::EntryImporter& importer, std::ostream& progress)>;

ImportInto EntryFilesOf(const fs::path& folder, bool (*accept)(const std::string&), const import::EntryParser& parse) {
  return [=](import::EntryImporter& importer, std::ostream& progress) {
    import::ImportEntryFiles(import::ListEntryFiles(folder, accept), parse, importer, progress);
  };
}

ImportInto CacheFolder(const fs::path& folder) {
  return [=](import::EntryImporter& importer, std::ostream& progress) {
    import::EntrySources sources;
    std::vector<std::string> problems;
    import::OpenCacheFolder(folder, sources, problems);
    import::ImportEntrySources(sources, importer, progress);
    importer.Finish();
  };
}

Timing TimeImport(cache::UrlCacheStore& store, const ImportInto& importInto, import::ImportSummary& summary) {
  return Time([&] {
    std::ostringstream quiet;
    import::EntryImporter importer(store, summary);
    importInto(importer, quiet);
  });
}

// Each measure is taken `rounds` times, taking turns, and the best of each is compared:
// this machine's noise then weighs on both sides alike. `files` are what the import reads.
void Compare(const char* name, const std::vector<std::string>& files, const ImportInto& importInto,
             const fs::path& storeFolder, int rounds) {
  ReadAll(files);  // every run starts with the files in the page cache
  size_t bytes = 0;
  Timing read, copy, parseOnly, import;
  import::ImportSummary summary;
  for (int round = 0; round < rounds; ++round) {
    KeepBest(read, Time([&] { bytes = ReadAll(files); }));
    std::error_code ec;
    KeepBest(copy, Time([&] { CopyAll(files, storeFolder / "copy"); }));
    fs::remove_all(storeFolder / "copy", ec);
    DiscardingStore discarding;
    import::ImportSummary parsed;
    KeepBest(parseOnly, TimeImport(discarding, importInto, parsed));
    fs::path roundStore = storeFolder / std::to_string(round);
    cache::StoreOpenResult opened = cache::OpenUrlCacheStore(roundStore);
    if (!opened.store) {
      std::cerr << opened.error << "\n";
      std::exit(1);
    }
    summary = {};
    KeepBest(import, TimeImport(*opened.store, importInto, summary));
    opened.store.reset();
    fs::remove_all(roundStore, ec);
  }
  std::cout << name << ": " << files.size() << " files, " << bytes / 1024 << " KiB, best of " << rounds << " rounds\n"
            << "  read whole:                      " << read.real * 1000 << " ms (processor " << read.user * 1000
            << " ms own + " << read.system * 1000 << " ms kernel)\n"
            << "  copy into new files:             " << Line(copy, read) << "\n"
            << "  import without the store writes: " << Line(parseOnly, read) << "\n"
            << "  import into the store:           " << Line(import, read) << "\n    (" << summary.entriesAdded
            << " entries, " << summary.bodiesDecoded << " decoded; goal: ratio at most 3)\n";
}

bool IsAnyFile(const std::string&) { return true; }

}  // namespace

int Main(int argc, char** argv) {
  int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::string pattern = (fs::temp_directory_path() / "vantry-import-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 1;
  fs::path root = pattern;
  const fs::path firefox = root / "firefox/cache2/entries", simple = root / "chromium/Cache_Data",
                 blockfile = root / "blockfile/Cache_Data";
  MakeFirefoxFolder(firefox, count);
  MakeSimpleCacheFolder(simple, count);
  MakeBlockfileFolder(blockfile, count);
  Compare("Firefox cache2", import::ListEntryFiles(firefox, import::IsFirefoxEntryFileName),
          EntryFilesOf(firefox, import::IsFirefoxEntryFileName, import::ParseFirefoxCacheEntry), root / "store-firefox",
          rounds);
  Compare("Simple Cache", import::ListEntryFiles(simple, import::IsSimpleCacheEntryFileName),
          EntryFilesOf(simple, import::IsSimpleCacheEntryFileName, import::ParseSimpleCacheEntry),
          root / "store-chromium", rounds);
  Compare("Blockfile cache", import::ListEntryFiles(blockfile, IsAnyFile), CacheFolder(blockfile),
          root / "store-blockfile", rounds);
  std::error_code ec;
  fs::remove_all(root, ec);
  return 0;
}

}  // namespace vantry::bench

int main(int argc, char** argv) { return vantry::bench::Main(argc, argv); }

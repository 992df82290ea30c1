#include "import/tests/CorpusProfiles.h"

#include <algorithm>
#include <vector>

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

const fs::path kCorpus = VANTRY_CORPUS_DIR;
constexpr size_t kFewEntries = 3;

void CopyFile(const fs::path& from, const fs::path& to) {
  fs::create_directories(to.parent_path());
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// The files of `from` in name order, all or the first few; index files always come along.
void CopyCacheFiles(const fs::path& from, const fs::path& to, CacheCopy cache) {
  if (cache == CacheCopy::None) return;
  std::vector<fs::path> files;
  for (const fs::directory_entry& item : fs::directory_iterator(from))
    if (item.is_regular_file()) files.push_back(item.path());
  std::sort(files.begin(), files.end());
  size_t copied = 0;
  fs::create_directories(to);
  for (const fs::path& file : files) {
    bool index = file.filename() == "index";
    if (index || cache == CacheCopy::All || copied++ < kFewEntries) CopyFile(file, to / file.filename());
  }
}

}  // namespace

void CopyCorpusFirefoxProfile(const fs::path& profile, const fs::path& cache2, CacheCopy cache) {
  for (const char* database : {"places.sqlite", "cookies.sqlite"})
    CopyFile(kCorpus / "firefox" / database, profile / database);
  if (!cache2.empty()) CopyCacheFiles(kCorpus / "firefox/cache2/entries", cache2 / "entries", cache);
}

void CopyCorpusChromiumProfile(const fs::path& profile, const fs::path& cacheData, CacheCopy cache) {
  for (const char* database : {"History", "Cookies"})
    CopyFile(kCorpus / "chromium/Default" / database, profile / database);
  if (!cacheData.empty()) CopyCacheFiles(kCorpus / "chromium/Default/Cache/Cache_Data", cacheData, cache);
}

}  // namespace vantry::import

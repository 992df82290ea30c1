#include "import/CacheFolderImport.h"

#include <sstream>

#include <gtest/gtest.h>

#include "files/WholeFile.h"
#include "import/CacheFolderFormat.h"
#include "import/ProfileImport.h"
#include "import/tests/ImportTestSupport.h"
#include "import/tests/SyntheticEntryFiles.h"

namespace fs = std::filesystem;

namespace vantry::import {
namespace {

TEST(CacheFolderImportTest, FoldersAreRecognisedByTheirFiles) {
  const fs::path corpus = CorpusFolder();
  testing::TempFolder scratch;
  const fs::path cacheStorage = corpus / "chromium-serviceworker/Service Worker/CacheStorage";
  WriteBytes(scratch / "only-entries/0123456789abcdef_0", "x");
  WriteBytes(scratch / "only-blocks/data_1",
             files::ReadWholeFile(corpus / "chromium-blockfile/Cache_Data/data_1").value());
  const std::string firefoxIndex("\0\0\0\x0c", 4);
  WriteBytes(scratch / "cache2/index", firefoxIndex);
  WriteBytes(scratch / "other/index", firefoxIndex);
  WriteBytes(scratch / "notes/readme.txt", "x");
  fs::create_directories(scratch.path() / "empty");
  struct Case {
    fs::path folder;
    CacheFormat format;
  } const cases[] = {
      {corpus / "firefox/cache2", CacheFormat::kFirefoxCache2},
      {scratch / "cache2", CacheFormat::kFirefoxCache2},  // no entries yet
      {corpus / "chromium/Default/Cache/Cache_Data", CacheFormat::kSimpleCache},
      {scratch / "only-entries", CacheFormat::kSimpleCache},
      {corpus / "chromium-blockfile/Cache_Data", CacheFormat::kBlockfile},
      {scratch / "only-blocks", CacheFormat::kBlockfile},
      {corpus / "chromium-serviceworker/Service Worker", CacheFormat::kServiceWorker},
      {cacheStorage, CacheFormat::kServiceWorker},
      {cacheStorage / "2569c2629614d887f49973f851635362c167eab1", CacheFormat::kServiceWorker},
      {scratch / "other", CacheFormat::kUnknown},
      {scratch / "notes", CacheFormat::kUnknown},
      {scratch / "empty", CacheFormat::kEmpty},
      {scratch / "missing", CacheFormat::kMissing},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CacheFormatName(RecognizeCacheFolder(c.folder)), CacheFormatName(c.format)) << c.folder;
}

TEST(CacheFolderImportTest, AFolderOfNoKnownFormatIsNamed) {
  testing::TempFolder scratch;
  WriteBytes(scratch / "readme.txt", "not a cache");
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary = ImportCacheFolder(scratch.path(), *s.store, progress);
  ASSERT_EQ(summary.problems.size(), 1u);
  EXPECT_EQ(summary.problems[0], scratch.path().string() +
                                     ": the format of this cache folder is not known (it is none of Firefox cache2, "
                                     "Chromium Simple Cache, Chromium blockfile cache, Chromium Service Worker "
                                     "caches).");
  summary = ImportCacheFolder(scratch.path() / "gone", *s.store, progress);
  EXPECT_EQ(summary.problems, std::vector<std::string>{(scratch.path() / "gone").string() + ": no such cache folder."});
}

// A Chromium profile brought from another system: its HTTP cache in the blockfile
// format and its sites' Service Worker caches come in together.
TEST(CacheFolderImportTest, ChromiumProfileImportsItsCacheOfAnyFormatAndItsServiceWorkerCaches) {
  testing::TempFolder profile;
  fs::create_directories(profile.path() / "Default");
  fs::copy(CorpusFolder() / "chromium-blockfile", profile.path() / "Default/Cache", fs::copy_options::recursive);
  fs::copy(CorpusFolder() / "chromium-serviceworker", profile.path() / "Default", fs::copy_options::recursive);
  ScratchStore s;
  std::ostringstream progress;
  ImportSummary summary =
      ImportChromiumProfiles({ChromiumProfileAt(profile.path(), HomeFolders{})}, *s.store, progress);
  EXPECT_EQ(summary.entriesAdded, 344u + 7u);
  EXPECT_EQ(Total(summary.entriesSkipped), 0u);
  EXPECT_EQ(summary.problems.size(), 2u);  // no History, no Cookies
}

}  // namespace
}  // namespace vantry::import

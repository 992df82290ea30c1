#include "import/ProfileImport.h"

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/CacheFolderImport.h"
#include "import/ChromiumDatabases.h"
#include "import/DesktopKeyring.h"
#include "import/FirefoxCacheEntry.h"
#include "import/FirefoxDatabases.h"
#include "import/HarReader.h"
#include "import/RecordImport.h"
#include "import/SimpleCacheEntry.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

bool IsHexName(const std::string& name, size_t digits) {
  if (name.size() < digits) return false;
  for (size_t i = 0; i < digits; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

void ImportVisitRead(VisitRead read, cache::UrlCacheStore& store, ImportSummary& summary) {
  if (!read.error.empty()) summary.problems.push_back("History: " + read.error);
  ImportVisits(std::move(read.visits), store, summary);
}

void ImportCookieRead(CookieRead read, cache::UrlCacheStore& store, ImportSummary& summary) {
  if (!read.error.empty()) summary.problems.push_back("Cookies: " + read.error);
  ImportCookies(std::move(read.cookies), store, summary);
}

}  // namespace

bool IsFirefoxEntryFileName(const std::string& name) { return name.size() == 40 && IsHexName(name, 40); }

bool IsSimpleCacheEntryFileName(const std::string& name) {
  return name.size() == 18 && IsHexName(name, 16) && name.ends_with("_0");
}

ImportSummary ImportFirefoxProfile(const FirefoxProfile& profile, cache::UrlCacheStore& store, std::ostream& progress,
                                   const StoreOptions& options) {
  ImportSummary summary;
  EntryImporter importer(store, summary, options);
  EntrySources sources;
  if (profile.cache2.empty())
    summary.problems.push_back("No cache2 folder was found for the profile " + profile.folder.string() + ".");
  else
    OpenCacheFolder(profile.cache2, sources, summary.problems);
  ImportEntrySources(sources, importer, progress);
  importer.Finish();
  if (summary.stopped) return summary;
  ImportVisitRead(ReadFirefoxVisits(profile.places()), store, summary);
  ImportCookieRead(ReadFirefoxCookies(profile.cookies()), store, summary);
  return summary;
}

ImportSummary ImportChromiumProfiles(const std::vector<ChromiumProfile>& profiles, cache::UrlCacheStore& store,
                                     std::ostream& progress, const StoreOptions& options) {
  ImportSummary summary;
  EntrySources sources;
  std::vector<VisitRecord> visits;
  std::vector<ImportedCookie> cookies;
  for (const ChromiumProfile& profile : profiles) {
    if (profile.cacheData.empty())
      summary.problems.push_back("No Cache/Cache_Data folder was found for the profile " + profile.folder.string() +
                                 ".");
    else
      OpenCacheFolder(profile.cacheData, sources, summary.problems);
    // Pages that work offline are kept by their sites' Service Workers.
    if (std::error_code ec; fs::is_directory(profile.folder / "Service Worker/CacheStorage", ec))
      OpenCacheFolder(profile.folder / "Service Worker", sources, summary.problems);
    VisitRead history = ReadChromiumVisits(profile.history);
    if (!history.error.empty()) summary.problems.push_back("History: " + history.error);
    visits.insert(visits.end(), history.visits.begin(), history.visits.end());
    size_t undecryptable = 0;
    CookieRead jar =
        ReadChromiumCookies(profile.cookies, undecryptable, [&] { return DesktopKeyringSecrets(profile.keyringName); });
    if (!jar.error.empty()) summary.problems.push_back("Cookies: " + jar.error);
    if (undecryptable) summary.cookiesSkipped["encrypted value that does not decrypt"] += undecryptable;
    std::move(jar.cookies.begin(), jar.cookies.end(), std::back_inserter(cookies));
  }
  EntryImporter importer(store, summary, options);
  ImportEntrySources(sources, importer, progress);
  importer.Finish();
  if (summary.stopped) return summary;
  ImportVisits(std::move(visits), store, summary);
  ImportCookies(std::move(cookies), store, summary);
  return summary;
}

ImportSummary ImportHarFile(const fs::path& file, cache::UrlCacheStore& store, std::ostream& progress,
                            const StoreOptions& options) {
  ImportSummary summary;
  std::optional<std::string> text = files::ReadWholeFile(file);
  if (!text) {
    summary.problems.push_back("Cannot read " + file.string() + ".");
    return summary;
  }
  HarRead read = ReadHar(*text);
  if (!read.error.empty()) summary.problems.push_back(file.string() + ": " + read.error + ".");
  summary.entriesSkipped = std::move(read.skipped);
  EntryImporter importer(store, summary, options);
  ImportWholeEntries(std::move(read.entries), importer, progress);
  return summary;
}

}  // namespace vantry::import

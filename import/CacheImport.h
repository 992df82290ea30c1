#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "cache/store/UrlCacheStore.h"
#include "import/ByteSource.h"
#include "import/EntryConversion.h"
#include "import/ImportSummary.h"
#include "import/ImportedEntry.h"

namespace vantry::import {

struct StoreOptions {
  size_t progressFrom = 1000;    // entries from which a progress line is shown
  size_t batchEntries = 1000;    // entries written to the store in one commit
  size_t batchBytes = 32 << 20;  // body bytes held before a commit
  // Threads that read, check and decode entry files while the store is written; with
  // none, all of it happens in turn on the importing thread.
  size_t parserThreads = DefaultParserThreads();
  // Called after each entry read with the number done and the total. When it returns false
  // the import stops there: the entries offered so far are written, and nothing more is
  // read (ImportSummary::stopped).
  std::function<bool(size_t done, size_t total)> keepGoing = {};
  // The browser profile whose cache all the entries come from: each entry written
  // remembers it with the entry's own file.
  std::optional<cache::EntryOrigin> origin = {};

  static size_t DefaultParserThreads();
};

// An entry's body with what was already worked out about it: whether it matches its
// entry file's checks, and the store's entry made from it. What is not known yet is
// worked out when the importer needs it.
struct OfferedBody {
  std::string bytes;
  std::optional<bool> intact;
  std::optional<ConvertedEntry> converted;
};

// Puts imported entries into the store in batches. Of several copies of one URL the
// most recently fetched is kept (the others are counted), also against the copy the
// store holds; entries that the store already holds unchanged are left alone; bodies
// are checked and decoded; a sticky mark of the store's entry survives. Call Finish()
// after the last entry.
class EntryImporter {
 public:
  EntryImporter(cache::UrlCacheStore& store, ImportSummary& summary, const StoreOptions& options = {});
  void Offer(const ImportedEntry& entry, std::string body) { Offer(entry, OfferedBody{std::move(body), {}, {}}); }
  void Offer(const ImportedEntry& entry, OfferedBody body);
  // Checks `body` and converts the entry where Offer() will need that, so that this
  // work can be done ahead on another thread: it reads only what the store held before
  // the import, and may run while the importer takes offers.
  OfferedBody Prepare(const ImportedEntry& entry, std::string body) const;
  void Finish();
  ImportSummary& summary() { return summary_; }
  const StoreOptions& options() const { return options_; }

 private:
  // What the store held for a URL before the import.
  struct StoredState {
    uint32_t entryType, useCount;
    cache::FileTime lastModified, expires, lastAccess, lastSync;
  };
  // The copy of a URL taken in this import.
  struct Taken {
    cache::FileTime lastFetched = 0, responseTime = 0;
    enum class State { Unchanged, StoreHasNewer, Written, Failed } state = State::Unchanged;
    size_t batchIndex = SIZE_MAX;  // its place in the batch until that is written
  };

  static std::optional<std::string> Refusal(const ImportedEntry& entry);
  void ReadStoredStates();
  Taken::State StateAgainstStore(const ImportedEntry& entry) const;
  void Flush();

  cache::UrlCacheStore& store_;
  ImportSummary& summary_;
  StoreOptions options_;
  std::unordered_map<std::string, StoredState> stored_;
  std::unordered_map<std::string, Taken> taken_;
  std::vector<cache::NewEntry> batch_;
  size_t batchBytes_ = 0;
};

// Called on several parser threads at once.
using EntryParser = std::function<ParsedEntry(const ByteSource&)>;

// The paths of the regular files of `folder` whose names pass `accept`, sorted; none if
// it is missing.
std::vector<std::string> ListEntryFiles(const std::filesystem::path& folder,
                                        const std::function<bool(const std::string&)>& accept);

// Reads each file once, parses it and offers its entry, then finishes the importer;
// unreadable or damaged files are counted as skipped with the parser's reason. Shows a
// progress line on `progress` for many files. The importer's parser threads read and
// prepare files ahead while the store is written; the entries are offered in the order
// of `files` all the same, so the outcome does not depend on the number of threads.
void ImportEntryFiles(const std::vector<std::string>& files, const EntryParser& parse, EntryImporter& importer,
                      std::ostream& progress);

// Offers entries that carry their bodies (from an HTTP archive), then finishes.
void ImportWholeEntries(std::vector<ImportedEntry> entries, EntryImporter& importer, std::ostream& progress);

}  // namespace vantry::import

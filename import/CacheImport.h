#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <vector>

#include "ByteSource.h"
#include "ImportSummary.h"
#include "ImportedEntry.h"
#include "UrlCacheStore.h"

// An entry found in a profile: its metadata and the file that holds its body (empty
// when the body came with the entry).
struct EntryCandidate {
  ImportedEntry entry;
  std::filesystem::path file;
};

using EntryParser = std::function<ParsedEntry(const ByteSource&)>;

// The regular files of `folder` whose names pass `accept`, sorted; none if it is missing.
std::vector<std::filesystem::path> ListEntryFiles(const std::filesystem::path& folder,
                                                  const std::function<bool(const std::string&)>& accept);

// Parses the metadata of each file into `candidates`; unreadable or damaged files are
// counted as skipped with the parser's reason.
void ScanEntryFiles(const std::vector<std::filesystem::path>& files, const EntryParser& parse,
                    std::vector<EntryCandidate>& candidates, ImportSummary& summary);

struct StoreOptions {
  size_t progressFrom = 1000;  // entries from which a progress line is shown
  size_t batchSize = 200;      // entries written to the store in one commit
};

// Puts the candidates into the store: of several copies of one URL the most recently
// fetched is kept, entries the store already holds unchanged are left alone, bodies
// are read, checked and decoded. A progress line goes to `progress` on large imports.
void StoreCandidates(std::vector<EntryCandidate> candidates, UrlCacheStore& store, ImportSummary& summary,
                     std::ostream& progress, const StoreOptions& options = {});

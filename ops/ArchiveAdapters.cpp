#include "ops/ArchiveAdapters.h"

#include "archive/CopyRecords.h"
#include "archive/HistoryFile.h"
#include "archive/PageCheck.h"
#include "archive/SinglePageCopy.h"
#include "archive/SiteTreeCopy.h"

namespace vantry::ops {

// The commands build the flag word the archive stores, so both must read it alike.

ServerRecord ArchiveCopies::FindServerRecord(const std::string& server) {
  std::optional<archive::HistoryRecord> record = archive::FindServerRecord(paths_, server, prompt_);
  if (!record) return {};
  return {record->destination, static_cast<archive::CopyFlags>(record->flags), record->comment};
}

// The archive copies one page at a time and keeps no server record for it, so the page
// count, flags and folder novelty have no use there.
void ArchiveCopies::CopySinglePage(const std::string& localFile, const std::string& address, const std::string& folder,
                                   int /*pageCount*/, archive::CopyFlags /*flags*/, const std::string& comment,
                                   bool /*newFolder*/) {
  archive::CopySinglePage(store_, paths_, {localFile, address, folder, comment}, prompt_);
}

// The tree copy finds the server's files by the address; the page's own file is one of them.
void ArchiveCopies::CopySiteTree(const std::string& /*localFile*/, const std::string& address,
                                 const std::string& folder, archive::CopyFlags flags, const std::string& comment,
                                 bool newFolder) {
  archive::CopySiteTree(store_, paths_, {address, folder, flags, comment, newFolder}, prompt_);
}

void ArchiveLocalCopySearch::SearchCopiedPages(const TextQuery& query, std::vector<std::string>& results) {
  std::optional<std::vector<archive::CopyRecord>> records = archive::ReadCopyRecords(paths_);
  if (!records) return;
  for (const archive::CopyRecord& record : *records)
    archive::SearchLocalCopy(record.localPath, query.text, query.caseSensitive, results);
}

void ArchiveLocalCopySearch::SearchHistoryFields(const TextQuery& query, bool addressMode,
                                                 std::vector<std::string>& results) {
  archive::HistorySearch search;
  (addressMode ? search.addressText : search.commentText) = query.text;
  search.caseSensitive = query.caseSensitive;
  search.addressMode = addressMode;
  archive::SearchHistory(paths_, search, results, prompt_);
}

std::string ArchivePageChecker::CheckPage(const std::string& cachedFile, Report report) {
  const archive::PageCheckMode mode =
      report == Report::Passed ? archive::PageCheckMode::kPassedReferences : archive::PageCheckMode::kDeadReferences;
  return archive::CheckPage(cachedFile, mode, prompt_);
}

}  // namespace vantry::ops

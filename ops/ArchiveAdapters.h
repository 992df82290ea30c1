#pragma once

#include <string>
#include <utility>
#include <vector>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"
#include "ops/CopyCommands.h"
#include "ops/FindCommands.h"
#include "ops/PageCheckCommand.h"

// The commands' archive interfaces carried out by the archive library itself.
namespace vantry::ops {

// Server records, single-page copies and site-tree copies of the local archive.
class ArchiveCopies : public CopyArchive {
 public:
  ArchiveCopies(cache::UrlCacheStore& store, archive::ArchivePaths paths, archive::UserPrompt& prompt)
      : store_(store), paths_(std::move(paths)), prompt_(prompt) {}

  ServerRecord FindServerRecord(const std::string& server) override;
  void CopySinglePage(const std::string& localFile, const std::string& address, const std::string& folder,
                      int pageCount, archive::CopyFlags flags, const std::string& comment, bool newFolder) override;
  void CopySiteTree(const std::string& localFile, const std::string& address, const std::string& folder,
                    archive::CopyFlags flags, const std::string& comment, bool newFolder) override;

 private:
  cache::UrlCacheStore& store_;
  archive::ArchivePaths paths_;
  archive::UserPrompt& prompt_;
};

// Text searches of the copied pages and of the history records.
class ArchiveLocalCopySearch : public LocalCopySearch {
 public:
  ArchiveLocalCopySearch(archive::ArchivePaths paths, archive::UserPrompt& prompt)
      : paths_(std::move(paths)), prompt_(prompt) {}

  void SearchCopiedPages(const TextQuery& query, std::vector<std::string>& results) override;
  void SearchHistoryFields(const TextQuery& query, bool addressMode, std::vector<std::string>& results) override;

 private:
  archive::ArchivePaths paths_;
  archive::UserPrompt& prompt_;
};

// The archive's link and image check of one page.
class ArchivePageChecker : public PageChecker {
 public:
  explicit ArchivePageChecker(archive::UserPrompt& prompt) : prompt_(prompt) {}
  std::string CheckPage(const std::string& cachedFile, Report report) override;

 private:
  archive::UserPrompt& prompt_;
};

}  // namespace vantry::ops

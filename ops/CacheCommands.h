#pragma once

#include <string>

#include "ops/CategoryDelete.h"
#include "ops/CommandDialogs.h"
#include "ops/CommandServices.h"
#include "ops/CopyCommands.h"
#include "ops/FindCommands.h"
#include "ops/PageCheckCommand.h"

namespace vantry::ops {

// Everything the cache commands reach outside the store, supplied by the main window.
// The references outlive the CacheCommands built on them.
struct CommandWiring {
  CommandContext context;
  CommandDialogs& dialogs;
  SettingsStore& appSettings;  // "Settings" and Save's "SaveDir"
  SettingsStore& profile;      // the profile file's section "Vantry"
  ListResets& lists;
  LineSink& statisticsPage;   // the output bar's "Properties" page
  LineSink& findResultsPage;  // the output bar's "Find in Files" page
  FindTarget& findTarget;
  LocalCopySearch& localCopies;
  CopyArchive& archive;
  PageChecker& pageChecker;
};

// One method per command of the copy, delete and find drop-downs and the File menu's
// Save and Save As, each named by its CommandId; the main window calls them from its command handlers. `selection` is
// the current entry, `addressBoxText` the address box's selected item.
class CacheCommands {
 public:
  explicit CacheCommands(CommandWiring wiring) : w_(wiring) {}

  // Save, SaveAs
  void Save(const EntrySelection& selection);
  // CopySingleFile
  void CopySingleFile(const EntrySelection& selection);
  // CopyReconstructingTree
  void CopyReconstructingTree(const EntrySelection& selection);
  // CopyFiles
  void CopyFiles();
  // StickyFile; refreshes the selection's local file name
  void StickyFile(EntrySelection& selection);
  // StickyAddress
  void StickyAddress(const EntrySelection& selection);
  // DeleteCacheEntry
  void DeleteCacheEntry(const std::string& addressBoxText);
  // DeleteCacheEntries
  void DeleteCacheEntries();
  // DeleteHistoryEntry
  void DeleteHistoryEntry(const std::string& addressBoxText);
  // DeleteTodaysHistory, DeleteAllHistory, DeleteInactiveHistory, DeleteVcHistory,
  // DeleteLocalEntries, DeleteAllCookieEntries
  void DeleteCategory(DeleteCategory category);
  // DeleteAllCookies
  void DeleteAllCookies();
  // FindFilesInCache
  void FindFilesInCache();
  // FindTextInFiles
  void FindTextInFiles();
  // CheckLinksPassed, CheckLinksDead
  void CheckLinks(const EntrySelection& selection, PageChecker::Report report);
  // The output bar's double click on a cache-file hit.
  std::string AddressOfLocalFile(const std::string& localFileName);

 private:
  CommandWiring w_;
};

}  // namespace vantry::ops

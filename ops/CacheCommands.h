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
  LineSink& statisticsPage;    // the output bar's "Properties" page
  LineSink& findResultsPage;   // the output bar's "Find in Files" page
  FindTarget& findTarget;
  LocalCopySearch& localCopies;
  CopyArchive& archive;
  PageChecker& pageChecker;
};

// One method per command of the copy, delete and find drop-downs and the File menu's
// Save and Save As; the main window calls them from its command handlers. `selection` is
// the current entry, `addressBoxText` the address box's selected item.
class CacheCommands {
 public:
  explicit CacheCommands(CommandWiring wiring) : w_(wiring) {}

  // 3000, 3005
  void Save(const EntrySelection& selection);
  // 32802
  void CopySingleFile(const EntrySelection& selection);
  // 32801
  void CopyReconstructingTree(const EntrySelection& selection);
  // 32817
  void CopyFiles();
  // 4090; refreshes the selection's local file name
  void StickyFile(EntrySelection& selection);
  // 5000
  void StickyAddress(const EntrySelection& selection);
  // 32796
  void DeleteCacheEntry(const std::string& addressBoxText);
  // 32816
  void DeleteCacheEntries();
  // 32783
  void DeleteHistoryEntry(const std::string& addressBoxText);
  // 32784, 32785, 32793, 32794, 32795, 32797
  void DeleteCategory(DeleteCategory category);
  // 32798
  void DeleteAllCookies();
  // 32805
  void FindFilesInCache();
  // 32806
  void FindTextInFiles();
  // 32803 (Passed), 32804 (Dead)
  void CheckLinks(const EntrySelection& selection, PageChecker::Report report);
  // The output bar's double click on a cache-file hit.
  std::string AddressOfLocalFile(const std::string& localFileName);

 private:
  CommandWiring w_;
};

}  // namespace vantry::ops

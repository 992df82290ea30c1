#include "ops/CacheCommands.h"

#include "ops/DeleteCommands.h"
#include "ops/StickyCommands.h"
#include "ops/TextSearch.h"

namespace vantry::ops {

void CacheCommands::Save(const EntrySelection& selection) {
  CopyEntryCommand(w_.context, EntryCopyCommand::Save, selection, w_.dialogs, w_.archive, w_.appSettings, w_.profile);
}

void CacheCommands::CopySingleFile(const EntrySelection& selection) {
  CopyEntryCommand(w_.context, EntryCopyCommand::CopySingleFile, selection, w_.dialogs, w_.archive, w_.appSettings,
                   w_.profile);
}

void CacheCommands::CopyReconstructingTree(const EntrySelection& selection) {
  CopyEntryCommand(w_.context, EntryCopyCommand::CopyTree, selection, w_.dialogs, w_.archive, w_.appSettings,
                   w_.profile);
}

void CacheCommands::CopyFiles() { CopyFilesCommand(w_.context, w_.dialogs, w_.profile); }

void CacheCommands::StickyFile(EntrySelection& selection) { StickyFileCommand(w_.context, selection); }

void CacheCommands::StickyAddress(const EntrySelection& selection) { StickyAddressCommand(w_.context, selection); }

void CacheCommands::DeleteCacheEntry(const std::string& addressBoxText) {
  DeleteCacheEntryCommand(w_.context, addressBoxText, w_.lists);
}

void CacheCommands::DeleteCacheEntries() { DeleteCacheEntriesCommand(w_.context, w_.dialogs, w_.profile); }

void CacheCommands::DeleteHistoryEntry(const std::string& addressBoxText) {
  DeleteHistoryEntryCommand(w_.context, addressBoxText, w_.lists);
}

void CacheCommands::DeleteCategory(ops::DeleteCategory category) {
  DeleteCategoryCommand(w_.context, category, w_.statisticsPage, w_.lists);
}

void CacheCommands::DeleteAllCookies() { DeleteAllCookiesCommand(w_.context, w_.lists); }

void CacheCommands::FindFilesInCache() { FindFilesCommand(w_.context, w_.dialogs, w_.appSettings, w_.findTarget); }

void CacheCommands::FindTextInFiles() { FindTextCommand(w_.context, w_.dialogs, w_.localCopies, w_.findResultsPage); }

void CacheCommands::CheckLinks(const EntrySelection& selection, PageChecker::Report report) {
  PageCheckCommand(w_.context, selection, report, w_.pageChecker, w_.findResultsPage);
}

std::string CacheCommands::AddressOfLocalFile(const std::string& localFileName) {
  return FindAddressOfLocalFile(w_.context.store, localFileName, w_.context.prompt);
}

}  // namespace vantry::ops

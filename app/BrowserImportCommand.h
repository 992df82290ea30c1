#pragma once

#include <functional>

#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"
#include "import/HomeFolders.h"

class QWidget;

namespace vantry::app {

// What "Import from browser..." works with; everything outlives the command.
struct BrowserImportInputs {
  QWidget* owner;  // of the dialogs
  cache::UrlCacheStore& store;
  archive::UserPrompt& prompt;
  std::function<void()> resetLists;  // AlphaSort, AccessSort, History
};

// Where the import was asked for: the File menu, or the offer to a start on an empty store,
// which says nothing when no profile is found.
enum class ImportAsked { FromMenu, AtFirstStart };

// "Import from browser...": lists the profiles found below `home` (browser, profile, cache
// size), imports the chosen ones one after another under a progress dialog whose "Cancel"
// stops at the next entry (what was imported stays, the store whole), tells what each
// import brought and resets the three lists.
void RunBrowserImport(const BrowserImportInputs& inputs, const import::HomeFolders& home, ImportAsked asked);

}  // namespace vantry::app

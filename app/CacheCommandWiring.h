#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "archive/ArchivePaths.h"
#include "cache/services/FrameServices.h"
#include "cache/store/UrlCacheStore.h"
#include "ops/CommandServices.h"

namespace vantry::cache {
class EntryPanes;
}
class QWidget;
namespace vantry::cache {
struct CurrentEntry;
}
namespace vantry::cache {
struct SearchRequest;
}
namespace vantry::cache {
struct ShowMask;
}

namespace vantry::app {

class CMainFrame;

// What the frame provides for the cache commands. The references outlive the commands.
struct CacheCommandInputs {
  cache::UrlCacheStore& store;
  cache::FrameServices& frame;
  cache::EntryPanes& panes;
  // The frame's process-wide records.
  cache::SearchRequest& request;
  cache::ShowMask& showMask;
  cache::CurrentEntry& current;
  // The three list tabs: each throws its items away.
  std::function<void()> resetAlphaSort;
  std::function<void()> resetAccessSort;
  std::function<void()> resetHistory;
  // Empties AlphaSort, marks that Find ran and expands it (CTabClassView::ExpandForFind).
  std::function<void()> expandAlphaSortForFind;
  // Output bar pages: each is emptied, filled with the lines and brought to the front.
  std::function<void(std::vector<std::string>)> showFindResults;  // "Find in Files"
  std::function<void(std::vector<std::string>)> showStatistics;   // "Properties"
  archive::ArchivePaths archivePaths;
  ops::SettingsStore& applicationSettings;  // "Settings" and Save's "SaveDir"
  ops::SettingsStore& profile;              // section "Vantry" of the profile file
  QWidget* parent = nullptr;                // owner of the boxes and dialogs
};

// The cache commands with everything they work through; keep it while the frame lives.
class WiredCacheCommands {
 public:
  virtual ~WiredCacheCommands() = default;
  // For the output bar's double click on a cache-file hit: the address of that file.
  virtual std::string AddressOfLocalFile(const std::string& localFileName) = 0;
};

// Builds the cache commands and gives the frame a handler for each of their command ids:
// Save/Save As, the copy, find and delete drop-downs, the two sticky commands and the two
// link checks. The delete commands act on the address box's text.
std::unique_ptr<WiredCacheCommands> WireCacheCommands(CMainFrame& frame, CacheCommandInputs inputs);

// The same without the frame: `setHandler` receives each id's handler, `addressBoxText`
// reads the address box. (Kept apart because the pane's and the lists' current-entry
// records cannot yet meet in one source file.)
using CommandHandlerSetter = std::function<void(CommandId, std::function<void()>)>;
std::unique_ptr<WiredCacheCommands> WireCacheCommands(const CommandHandlerSetter& setHandler,
                                                      std::function<std::string()> addressBoxText,
                                                      CacheCommandInputs inputs);

}  // namespace vantry::app

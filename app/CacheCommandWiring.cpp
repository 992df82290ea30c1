#include "app/CacheCommandWiring.h"

#include <QSettings>

#include "cache/lists/SearchRequest.h"
#include "cache/lists/ShowMask.h"
#include "cache/services/EntryPanes.h"
#include "ops/ArchiveAdapters.h"
#include "ops/CacheCommands.h"
#include "ops/FrameRecordAdapters.h"
#include "ops/dialogs/QtCommandDialogs.h"
#include "ops/dialogs/QtCommandServices.h"

namespace vantry::app {

namespace {

using namespace vantry;
using enum CommandId;

// The three list resets of the inputs; a reset not given does nothing.
class FunctionListResets : public ops::ListResets {
 public:
  explicit FunctionListResets(const CacheCommandInputs& in) : in_(in) {}
  void ResetAlphaSort() override { Call(in_.resetAlphaSort); }
  void ResetAccessSort() override { Call(in_.resetAccessSort); }
  void ResetHistory() override { Call(in_.resetHistory); }

 private:
  static void Call(const std::function<void()>& reset) {
    if (reset) reset();
  }
  const CacheCommandInputs& in_;
};

// An output bar page of the inputs.
class FunctionSink : public ops::LineSink {
 public:
  explicit FunctionSink(std::function<void(std::vector<std::string>)> show) : show_(std::move(show)) {}
  void ShowLines(const std::vector<std::string>& lines) override {
    if (show_) show_(lines);
  }

 private:
  std::function<void(std::vector<std::string>)> show_;
};

class Wired : public WiredCacheCommands {
 public:
  explicit Wired(CacheCommandInputs inputs)
      : in_(std::move(inputs)),
        prompt_(in_.parent),
        dialogs_(in_.parent, prompt_),
        lists_(in_),
        statistics_(in_.showStatistics),
        findResults_(in_.showFindResults),
        findTarget_({in_.request, in_.showMask, in_.current, in_.frame, in_.panes}, in_.expandAlphaSortForFind),
        localCopies_(in_.archivePaths, prompt_),
        copies_(in_.store, in_.archivePaths, prompt_),
        pageChecker_(prompt_),
        commands_({{in_.store, in_.frame, prompt_, cursor_},
                   dialogs_,
                   in_.applicationSettings,
                   in_.profile,
                   lists_,
                   statistics_,
                   findResults_,
                   findTarget_,
                   localCopies_,
                   copies_,
                   pageChecker_}) {}

  std::string AddressOfLocalFile(const std::string& localFileName) override {
    return commands_.AddressOfLocalFile(localFileName);
  }

  void Register(const CommandHandlerSetter& setHandler, std::function<std::string()> addressText) {
    ops::CacheCommands& c = commands_;
    auto selected = [this] { return ops::SelectionOf(in_.current); };
    const std::pair<CommandId, std::function<void()>> handlers[] = {
        {Save, [&c, selected] { c.Save(selected()); }},
        {SaveAs, [&c, selected] { c.Save(selected()); }},
        {CopySingleFile, [&c, selected] { c.CopySingleFile(selected()); }},
        {CopyReconstructingTree, [&c, selected] { c.CopyReconstructingTree(selected()); }},
        {CopyFiles, [&c] { c.CopyFiles(); }},
        {StickyFile,
         [this, &c, selected] {
           ops::EntrySelection selection = selected();
           c.StickyFile(selection);
           ops::KeepSelection(selection, in_.current);
         }},
        {StickyAddress, [&c, selected] { c.StickyAddress(selected()); }},
        {FindFilesInCache, [&c] { c.FindFilesInCache(); }},
        {FindTextInFiles, [&c] { c.FindTextInFiles(); }},
        {CheckLinksPassed, [&c, selected] { c.CheckLinks(selected(), ops::PageChecker::Report::Passed); }},
        {CheckLinksDead, [&c, selected] { c.CheckLinks(selected(), ops::PageChecker::Report::Dead); }},
        {DeleteCacheEntry, [&c, addressText] { c.DeleteCacheEntry(addressText()); }},
        {DeleteCacheEntries, [&c] { c.DeleteCacheEntries(); }},
        {DeleteHistoryEntry, [&c, addressText] { c.DeleteHistoryEntry(addressText()); }},
        {DeleteTodaysHistory, [&c] { c.DeleteCategory(ops::DeleteCategory::TodaysHistory); }},
        {DeleteAllHistory, [&c] { c.DeleteCategory(ops::DeleteCategory::AllHistory); }},
        {DeleteInactiveHistory, [&c] { c.DeleteCategory(ops::DeleteCategory::InactiveHistory); }},
        {DeleteVcHistory, [&c] { c.DeleteCategory(ops::DeleteCategory::MkProtocolHistory); }},
        {DeleteLocalEntries, [&c] { c.DeleteCategory(ops::DeleteCategory::LocalFileHistory); }},
        {DeleteAllCookieEntries, [&c] { c.DeleteCategory(ops::DeleteCategory::CookieEntries); }},
        {DeleteAllCookies, [&c] { c.DeleteAllCookies(); }},
    };
    for (const auto& [id, handler] : handlers) setHandler(id, handler);
  }

 private:
  CacheCommandInputs in_;
  ops::MessageBoxPrompt prompt_;
  ops::OverrideWaitCursor cursor_;
  ops::QtCommandDialogs dialogs_;
  FunctionListResets lists_;
  FunctionSink statistics_, findResults_;
  ops::RecordsFindTarget findTarget_;
  ops::ArchiveLocalCopySearch localCopies_;
  ops::ArchiveCopies copies_;
  ops::ArchivePageChecker pageChecker_;
  ops::CacheCommands commands_;
};

}  // namespace

std::unique_ptr<WiredCacheCommands> WireCacheCommands(const CommandHandlerSetter& setHandler,
                                                      std::function<std::string()> addressBoxText,
                                                      CacheCommandInputs inputs) {
  auto wired = std::make_unique<Wired>(std::move(inputs));
  wired->Register(setHandler, std::move(addressBoxText));
  return wired;
}

}  // namespace vantry::app

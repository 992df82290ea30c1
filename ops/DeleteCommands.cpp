#include "ops/DeleteCommands.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "ops/FolderRules.h"
#include "ops/HistoryKey.h"
#include "ops/ServerWalks.h"
#include "ops/SettingKeys.h"
#include "ops/WildcardListing.h"

namespace vantry::ops {
namespace {

// Texts this short may well match every address, so the user confirms them first.
constexpr size_t kShortDeleteText = 3;

}  // namespace

void RemoveTreeItem(cache::FrameServices& frame, archive::UserPrompt& prompt, std::string_view address) {
  cache::ExpandedList* list = frame.LastExpandedList();
  if (list == nullptr) return;  // no list was ever expanded, so none shows the address
  if (list->RootText() == "History") {
    if (!list->RemoveItem(address, 2)) prompt.Tell("History-Entry not found!", "DeleteItem");
  } else if (!list->RemoveItem(address, 1)) {
    prompt.Tell("Entry not found!", "DeleteItem");
  }
}

void DeleteCacheEntryCommand(CommandContext& context, std::string_view addressBoxText, ListResets& lists) {
  BrowserCacheDeletion deletion(context.store);
  deletion.Delete(addressBoxText);
  deletion.OfferRemoval(context.prompt);
  if (cache::ExpandedList* list = context.frame.LastExpandedList()) list->ClearSelection();
  RemoveTreeItem(context.frame, context.prompt, addressBoxText);
  ResetThreeLists(lists);
}

void DeleteHistoryEntryCommand(CommandContext& context, std::string_view addressBoxText, ListResets& lists) {
  const std::string key = HistoryKeyOf(addressBoxText);
  if (context.store.DeleteEntry(key) != cache::STORE_OK) context.prompt.Tell("Unable to delete entry", key);
  RemoveTreeItem(context.frame, context.prompt, addressBoxText);
  ResetThreeLists(lists);
}

void DeleteCategoryCommand(CommandContext& context, DeleteCategory category, LineSink& statisticsPage,
                           ListResets& lists) {
  context.frame.EnsureProgressBar();
  BrowserCacheDeletion deletion(context.store);
  DeleteByCategory(context, category, statisticsPage, deletion);
  context.frame.ResetProgress();
  deletion.OfferRemoval(context.prompt);
  ResetThreeLists(lists);
}

void DeleteCacheEntriesCommand(CommandContext& context, CommandDialogs& dialogs, SettingsStore& profile) {
  std::string text = Read(profile, kServerToDelete);
  if (!dialogs.RunServerDelete(text)) return;
  if (text.empty()) {
    context.prompt.Tell("Nothing to delete?", "Delete Cache Entries");
    return;
  }
  if (text.size() <= kShortDeleteText &&
      !context.prompt.AskYesNo("Danger! Delete-string too short, delete anyway ?", "Whole cache may get deleted"))
    return;
  context.frame.EnsureProgressBar();
  context.cursor.Show();
  BrowserCacheDeletion deletion(context.store);
  DeleteByServer(context, text, deletion);
  Write(profile, kServerToDelete, text);
  context.cursor.Restore();
  context.frame.ResetProgress();
  deletion.OfferRemoval(context.prompt);
}

void DeleteAllCookiesCommand(CommandContext& context, ListResets& lists) {
  ResetThreeLists(lists);
  const std::filesystem::path folder = context.store.CookieFolder();
  if (!IsExistingDirectory(folder.string())) {
    context.prompt.Tell("No Cookie-Directory ???", "Delete Cookies");
    return;
  }
  if (!context.prompt.AskYesNo("Really delete all Cookies?", "Delete Cookies")) return;
  const std::vector<std::filesystem::path> names = ListMatching(folder, "*.*");
  if (names.empty()) {
    context.prompt.Tell("No Cookie files in Cookie directory!", "Delete all cookies");
    return;
  }
  for (const std::filesystem::path& name : names) {
    std::error_code error;
    if (std::filesystem::is_regular_file(name, error)) std::filesystem::remove(name, error);
  }
}

}  // namespace vantry::ops

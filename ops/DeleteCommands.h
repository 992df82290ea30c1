#pragma once

#include <string_view>

#include "ops/CategoryDelete.h"
#include "ops/CommandDialogs.h"
#include "ops/CommandServices.h"

// The commands of the delete drop-down. `addressBoxText` is the text of the address box's
// selected item. Apart from the questions named below nothing asks before deleting; after
// deleting, the commands that delete cache entries offer to remove those imported from a
// browser's cache from that cache too (BrowserCacheDeletion).
namespace vantry::ops {

// "Delete Cache Entry": the entry of the address, then its item in the last expanded list.
void DeleteCacheEntryCommand(CommandContext& context, std::string_view addressBoxText, ListResets& lists);

// "Delete History Entry": the entry "Visited: @" + address; a failure is told.
void DeleteHistoryEntryCommand(CommandContext& context, std::string_view addressBoxText, ListResets& lists);

// The six category commands ("Delete todays history entries" ... "Delete All Cookie Entries").
void DeleteCategoryCommand(CommandContext& context, DeleteCategory category, LineSink& statisticsPage,
                           ListResets& lists);

// "Delete Cache Entries....": asks for a text (kept as "ServerToDelete" in the profile) and
// deletes every content entry whose address contains it; the lists are not reset.
void DeleteCacheEntriesCommand(CommandContext& context, CommandDialogs& dialogs, SettingsStore& profile);

// "Delete All Cookies": after a question, every file of the store's cookie folder; the
// cookie entries stay.
void DeleteAllCookiesCommand(CommandContext& context, ListResets& lists);

// Removes the item reading `address` from the last expanded list: two levels deep below a
// "History" root, else among the root's children. A missing item is told.
void RemoveTreeItem(cache::FrameServices& frame, archive::UserPrompt& prompt, std::string_view address);

}  // namespace vantry::ops

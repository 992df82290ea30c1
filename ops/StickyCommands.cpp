#include "ops/StickyCommands.h"

#include "archive/UrlParts.h"
#include "cache/store/CacheAccess.h"
#include "ops/ServerWalks.h"

namespace vantry::ops {

void StickyFileCommand(CommandContext& context, EntrySelection& selection) {
  if (!HasSelection(selection, context.prompt)) return;
  context.prompt.Tell("Setting File to sticky:", selection.address);
  std::optional<cache::CacheEntry> entry = cache::LookupEntry(context.store, selection.address);
  if (!entry) return;
  selection.localFileName = entry->localFileName;
  MarkSticky(context.store, *entry);
}

void StickyAddressCommand(CommandContext& context, const EntrySelection& selection) {
  if (!HasSelection(selection, context.prompt)) return;
  const std::string server = archive::ServerOf(selection.address);
  context.prompt.Tell("Setting all files to sticky:", server);
  // An address without a server would give an empty text, which every address contains.
  if (server.empty()) return;
  context.frame.EnsureProgressBar();
  StickyByServer(context, server);
  context.cursor.Restore();
  context.frame.ResetProgress();
}

}  // namespace vantry::ops

#pragma once

#include "ops/CommandServices.h"

// The two sticky commands of the copy drop-down; both act on the selected entry.
namespace vantry::ops {

// "Set file attribute to sticky": marks the selected entry; its local file name is
// refreshed from the store.
void StickyFileCommand(CommandContext& context, EntrySelection& selection);

// "Set whole address to sticky": marks every content entry whose address contains the
// selected address's server name.
void StickyAddressCommand(CommandContext& context, const EntrySelection& selection);

}  // namespace vantry::ops

#pragma once

#include <cstdint>

namespace vantry::archive {

// The flag word of a copy, stored in the server's history record.
using CopyFlags = std::uint32_t;
inline constexpr CopyFlags kMarkAutomaticBackup = 1;
inline constexpr CopyFlags kMarkBackgroundSync = 2;
inline constexpr CopyFlags kRemoveCopiedEntries = 4;  // a move: copied entries leave the cache
inline constexpr CopyFlags kCommentConfirmed = 8;     // turns on the archive records

}  // namespace vantry::archive

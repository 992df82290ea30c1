#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "import/BrowserProfile.h"

// What may be done to a browser's own cache on the user's behalf: tell whether the browser
// has a profile open, and remove single entries' files.
namespace vantry::import {

// The family whose cache keeps an entry in `entryFile` of its own: Firefox's entry file
// (40 hex digits in "entries"), a Simple Cache's "<16 hex digits>_0". Nothing for other
// files, such as a blockfile cache's, which hold many entries each.
std::optional<BrowserFamily> EntryFileFamily(std::string_view entryFile);

// Whether a browser has the profile in `profileFolder` open. Firefox holds a lock on its
// ".parentlock" and keeps a "lock" link to "address:+pid"; a browser of the Chromium family
// keeps a "SingletonLock" link to "host-pid" in its user data folder, the profile's own or
// the one above it. A link naming a process of this host that is gone is stale; one of
// another host, or one that does not read, counts as in use.
bool IsProfileInUse(BrowserFamily family, const std::filesystem::path& profileFolder);

enum class EntryRemoval {
  kRemoved,
  kAlreadyGone,  // the entry file was not there any more
  kRefused,      // not an entry file, a relative path, or a symbolic link on the way
  kFailed,       // the system refused to remove a file
};

// Removes the files of the entry whose file is `entryFile`: Firefox's entry file; a
// Simple Cache entry's "_0", "_1" and "_s" files. Nothing else. Every folder of the
// absolute path is opened without following links, and only regular files are removed.
EntryRemoval RemoveBrowserCacheEntry(const std::string& entryFile);

}  // namespace vantry::import

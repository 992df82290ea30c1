#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"
#include "cache/store/WorkProgress.h"

namespace vantry::archive {

// Where copies keep their records and working files.
struct CopyWorkspace {
  ArchivePaths archive;
  std::string tempFolder;  // holds the working copy "vantry.tmp"
};

// $TMPDIR when set, else "/tmp".
std::string SystemTempFolder();

// The local file of a cached address: its file name, or "None" for an entry without stored
// headers; nothing when the address is not in the cache.
std::optional<std::string> LookupLocalFile(cache::UrlCacheStore& store, std::string_view url);

struct SinglePageCopy {
  std::string pageFile;     // the page's cached file
  std::string url;          // the page's address
  std::string destination;  // the folder to copy into
  std::string comment;      // for the index page
};

// Copies one cached page into `destination` under its flat name, with the images it embeds
// (those that pass the live check and are cached) in "images/" beside it, and rewrites the
// page so that the copy works offline: every occurrence of an image reference becomes
// "images/<flat name>", then every occurrence of a link that passes the check becomes the flat
// name of its address. A page whose address ends in '/' is stored as "Index.html". The copy gets
// an entry in the index page. Returns how many files it wrote (the page and its images). `work`
// advances once per check and while a request waits; once the user stops it, the references not
// yet checked stay as they are, and the page is still written whole and entered in the index.
std::size_t CopySinglePage(cache::UrlCacheStore& store, const CopyWorkspace& workspace, const SinglePageCopy& copy,
                           UserPrompt& prompt, cache::WorkProgress& work);

}  // namespace vantry::archive

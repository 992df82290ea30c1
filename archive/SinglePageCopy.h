#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/ArchivePaths.h"
#include "archive/CopyReport.h"
#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::archive {

// The local file of a cached address: its file name, or "None" for an entry without stored
// headers; nothing when the address is not in the cache.
std::optional<std::string> LookupLocalFile(cache::UrlCacheStore& store, std::string_view url);

struct SinglePageCopy {
  std::string pageFile;     // the page's cached file
  std::string url;          // the page's address
  std::string destination;  // the folder to copy into
  std::string comment;      // for the index page
};

// Copies one cached page into `destination` under its flat name, with what it shows that the
// cache holds (images, style sheets and what they import, icons, scripts, media) in "images/"
// beside it and its frames as pages beside it, and rewrites their references so that the copy
// works offline: a reference to a copied file points at it relative to the document; a link
// to another cached address points at the flat name a single-page copy of it gets, so that
// pages copied into one folder link to each other; other relative references become absolute.
// An unreadable page is reported ("Problem opening the file" / "ReadHtml"). The copy gets an
// entry in the index page. Nothing is written outside `destination`, and no link in it is
// followed.
CopyReport CopySinglePage(cache::UrlCacheStore& store, const ArchivePaths& paths, const SinglePageCopy& copy,
                          UserPrompt& prompt);

}  // namespace vantry::archive

#pragma once

#include <string>

#include "archive/ArchivePaths.h"
#include "archive/CopyFlags.h"
#include "archive/CopyReport.h"
#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::archive {

struct SiteTreeCopy {
  std::string url;          // the selected page; every cached file of its host is copied
  std::string destination;  // the folder the host's servers are rebuilt in
  CopyFlags flags = 0;
  std::string comment;
  bool newFolder = false;  // the folder is not the one recorded for this server
};

// Copies every cached file of the selected page's host below `destination`: one folder per
// scheme, host and port ("127.0.0.1_8082", "https_www.example.org"), each server's folders
// rebuilt inside. Files of other servers join the copy in folders of their own when the cache
// holds them and the copied pages show them (images, style sheets, scripts, frames) or the
// host's pages link to them (one step: their own links go no further). Every
// reference of the copied pages and style sheets to a copied file is rewritten relative to the
// page; references to addresses the copy does not hold become absolute. Records the copy in the
// archive files (with kCommentConfirmed) and adds one entry, for the selected server's root or
// top page, to the index page. Nothing is written outside `destination`, and no link in it is
// followed. Broken off when a folder cannot be made or the user stops after a failed file copy.
CopyReport CopySiteTree(cache::UrlCacheStore& store, const ArchivePaths& paths, const SiteTreeCopy& copy,
                        UserPrompt& prompt);

}  // namespace vantry::archive

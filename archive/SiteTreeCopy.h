#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "archive/ArchivePaths.h"
#include "archive/CopyFlags.h"
#include "archive/UserPrompt.h"
#include "cache/store/UrlCacheStore.h"
#include "cache/store/WorkProgress.h"

namespace vantry::archive {

struct SiteTreeCopy {
  std::string url;          // the selected page; every cached file of its server is copied
  std::string destination;  // the folder the server's tree is rebuilt in
  CopyFlags flags = 0;
  std::string comment;
  bool newFolder = false;  // the folder is not the one recorded for this server
};

enum class TreeCopyResult { kCompleted = 0, kBrokenOff = 1 };

struct TreeCopyOutcome {
  TreeCopyResult result = TreeCopyResult::kCompleted;
  std::size_t filesCopied = 0;  // cached files copied and pages written below `destination`
};

// Copies every cached file of the selected page's server below `destination`, rebuilding the
// server's folders, then rewrites the links of the copied HTML pages in memory with the
// translation pairs (absolute addresses of copied files become their local paths, names the
// copy changed become the new names, recorded folder pages their local names). Records the copy
// in the archive files (with kCommentConfirmed) and adds the root or top page to the index page.
// Nothing is ever written outside `destination`. Broken off when a folder cannot be made or
// the user stops after a failed file copy or stops the work through `work` (advanced once per
// file); nothing is rewritten then, and every file and record written so far is whole.
TreeCopyOutcome CopySiteTree(cache::UrlCacheStore& store, const ArchivePaths& paths, const SiteTreeCopy& copy,
                             UserPrompt& prompt, cache::WorkProgress& work);

}  // namespace vantry::archive

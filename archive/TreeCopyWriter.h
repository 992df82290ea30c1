#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <unordered_set>

#include "archive/DestinationTree.h"
#include "archive/EarlierCopies.h"
#include "archive/ReferenceRewriter.h"
#include "archive/TreeCopyPlan.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::archive {

// Writes the files of a tree copy: pages and style sheets with their references rewritten,
// everything else as cached. A file of another server joins the copy when the cache holds it
// and a written page or style sheet shows it (image, style sheet, script, frame), or one of
// the host's own pages links to it; links of other servers' pages go no further.
class TreeCopyWriter {
 public:
  TreeCopyWriter(cache::UrlCacheStore& store, DestinationTree& tree, TreeCopyPlan& plan, EarlierCopies& earlier);

  enum class Outcome { kWritten, kFolderFailed, kFileFailed };
  // Writes one file of the plan. kFolderFailed: `failedFolder` names the folder that could not be made.
  Outcome Write(const PlannedFile& file, std::string& failedFolder);

  // The next file of another server found since, or nothing.
  std::optional<std::size_t> NextFound();

 private:
  const std::string* Target(std::string_view canonicalUrl, ReferenceRole role);

  cache::UrlCacheStore& store_;
  DestinationTree& tree_;
  TreeCopyPlan& plan_;
  EarlierCopies& earlier_;
  ReferenceRewriter rewriter_;
  std::deque<std::size_t> found_;  // files of other servers not yet written
  bool writingHostFile_ = true;
  std::unordered_set<std::string> lookedUp_;  // addresses the store was asked for
};

}  // namespace vantry::archive

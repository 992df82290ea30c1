#pragma once

#include <set>
#include <string>
#include <utility>

#include "tools/rquenz/RewriteAhead.h"
#include "tools/rquenz/StartChoice.h"
#include "tools/rquenz/StreamSubstituter.h"

namespace rquenz {

// What one run of the tool carries through its walk.
struct RunState {
  RunState(NamePattern namePattern, StreamSubstituter streamSubstituter)
      : pattern(std::move(namePattern)), substituter(std::move(streamSubstituter)), ahead(substituter) {}

  NamePattern pattern;
  StreamSubstituter substituter;
  RewriteAhead ahead;
  long long matches = 0;              // matching folders and files, failed ones included
  bool failed = false;                // a file was not rewritten or a folder not read
  std::set<std::string> backupsMade;  // full paths of the backups written in this run
};

// Handles the matches of the open folder `folder` (closed here; `fullPath` is
// its absolute path), then walks its sub-folders depth-first. Sub-folders whose
// names begin with '.' and links to folders are not entered. The folder is the
// current directory while its matches are handled.
void Walk(int folder, const std::string& fullPath, RunState& run);

}  // namespace rquenz

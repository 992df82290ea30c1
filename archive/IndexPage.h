#pragma once

#include <string>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"

namespace vantry::archive {

// Adds one entry to the index page of local copies: a link to `localPath` labelled with the
// server of `url` and `comment`. The page is rewritten through indexfil.tmp with one atomic
// rename, the previous version kept as indexfil.bak, so indexfil.htm exists at every moment.
// A page without "</BODY>" gets no entry ("Html-Index file defect!!" / "Write Index").
// Returns false when indexfil.tmp cannot be written ("Write: Error opening Index file !!").
bool WriteIndexEntry(const ArchivePaths& paths, const std::string& url, const std::string& localPath,
                     const std::string& comment, UserPrompt& prompt);

}  // namespace vantry::archive

#pragma once

#include <string>

#include "archive/UserPrompt.h"
#include "cache/store/WorkProgress.h"

namespace vantry::archive {

enum class PageCheckMode {
  kDeadReferences = 0,    // list the links and images that fail the check
  kPassedReferences = 1,  // list those that pass
};

// Parses each page matching `path` (its file name may hold shell wildcards) with an HTML5
// parser and checks every link (a and area with href) and image (img) of it, as the document
// resolves them. Returns the report: per page "<n> links<16 blanks><m> Images \n", then one
// line per listed reference ("DEAD LINK: ", "Link OK: ", "DEAD Img: ", "Img OK: ").
// A page that cannot be read is reported ("Error loading file", titled with its path). Once the
// user stops `work` (advanced once per check and while a request waits), the report ends with the
// last reference whose check was finished.
std::string CheckPage(const std::string& path, PageCheckMode mode, UserPrompt& prompt, cache::WorkProgress& work);

}  // namespace vantry::archive

#pragma once

#include <string>

#include "cache/store/WorkProgress.h"
#include "ops/CommandServices.h"

namespace vantry::ops {

// The page check of the archive: loads a cached page and checks its links and images.
class PageChecker {
 public:
  virtual ~PageChecker() = default;
  enum class Report { Dead = 0, Passed = 1 };
  // The report text, one line-feed-ended line per item; the user may stop the check through
  // `work`, and the report then ends with the last reference checked.
  virtual std::string CheckPage(const std::string& cachedFile, Report report, cache::WorkProgress& work) = 0;
};

// "Check links: list passed" / "Check links: list dead": checks the selected entry's cached
// file and shows the report's lines on the "Find in Files" page.
void PageCheckCommand(CommandContext& context, const EntrySelection& selection, PageChecker::Report report,
                      PageChecker& checker, LineSink& findResultsPage);

}  // namespace vantry::ops

#include "ops/PageCheckCommand.h"

#include <memory>
#include <string_view>
#include <vector>

namespace vantry::ops {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

void PageCheckCommand(CommandContext& context, const EntrySelection& selection, PageChecker::Report report,
                      PageChecker& checker, LineSink& findResultsPage) {
  if (!HasSelection(selection, context.prompt)) return;
  context.cursor.Show();
  std::string text;
  {
    const std::unique_ptr<cache::WorkProgress> work = context.frame.BeginWork("Checking links and images");
    text = checker.CheckPage(selection.localFileName, report, *work);
  }
  context.cursor.Restore();
  findResultsPage.ShowLines(SplitLines(text));
}

}  // namespace vantry::ops

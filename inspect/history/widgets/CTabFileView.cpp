#include "inspect/history/widgets/CTabFileView.h"

#include "cache/store/Classification.h"
#include "inspect/history/HistoryFill.h"
#include "qtutil/WaitCursor.h"

namespace vantry::inspect {

namespace {
const std::string kRoot = "History";
}  // namespace

CTabFileView::CTabFileView(const cache::ListTabContext& context, QWidget* parent)
    : cache::ListTabView(context, cache::CookieFileStep::Skip, parent) {}

void CTabFileView::BuildInitialList() { Rebuild(kRoot, "zHistory"); }

void CTabFileView::ResetList() {
  Rebuild(kRoot, "");
  Context().frame.SetStatusText("Ready");
  Context().frame.SetAddress("");
}

void CTabFileView::OnRootExpanded() {
  cache::FrameServices& frame = Context().frame;
  const dates::CalendarFields today = dates::ReadLocalClock();
  frame.EnsureProgressBar();
  HistoryFolders placed;
  cache::FillResult fill;
  {
    qtutil::WaitCursor wait;
    fill = FillFollowed([&](const cache::ProgressStep& step, cache::WorkProgress& work) {
      return FillHistoryFolders(Context().store, cache::ReadClusterSize(Context().store.RootFolder()), today, placed,
                                step, work);
    });
  }
  if (fill.walk == cache::WalkResult::Stopped) return;
  std::array<std::string, kAgeFolderCount> labels = AgeFolderLabels(today);
  std::vector<cache::TabTreeModel::Child> folders(kAgeFolderCount);
  for (int i = 0; i < kAgeFolderCount; ++i) folders[i] = {std::move(labels[i]), std::move(placed[i])};
  Items().ReplaceChildren(std::move(folders));
  cache::PublishFillStatistics(fill, frame, Context().panes);
  frame.ResetProgress();
}

void CTabFileView::OnRootCollapsed() {
  Context().frame.SetStatusText("Wait! Deleting All Entries!");
  Rebuild(kRoot, "");
  Context().frame.SetStatusText("Ready");
}

}  // namespace vantry::inspect

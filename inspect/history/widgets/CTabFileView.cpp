#include "inspect/history/widgets/CTabFileView.h"

#include "cache/store/Classification.h"
#include "qtutil/WaitCursor.h"
#include "inspect/history/HistoryFill.h"

namespace {
const std::string kRoot = "History";
}  // namespace

CTabFileView::CTabFileView(const ListTabContext& context, QWidget* parent)
    : ListTabView(context, CookieFileStep::Skip, parent) {}

void CTabFileView::BuildInitialList() { Rebuild(kRoot, "zHistory"); }

void CTabFileView::ResetList() {
  Rebuild(kRoot, "");
  Context().frame.SetStatusText("Ready");
  Context().frame.SetAddress("");
}

void CTabFileView::OnRootExpanded() {
  FrameServices& frame = Context().frame;
  const vantry::CalendarFields today = vantry::ReadLocalClock();
  frame.EnsureProgressBar();
  HistoryFolders placed;
  FillResult fill;
  {
    WaitCursor wait;
    fill = FillHistoryFolders(Context().store, ReadClusterSize(Context().store.RootFolder()), today, placed,
                              StepProgress());
  }
  std::array<std::string, kAgeFolderCount> labels = AgeFolderLabels(today);
  std::vector<TabTreeModel::Child> folders(kAgeFolderCount);
  for (int i = 0; i < kAgeFolderCount; ++i) folders[i] = {std::move(labels[i]), std::move(placed[i])};
  Items().ReplaceChildren(std::move(folders));
  PublishFillStatistics(fill, frame, Context().panes);
  frame.ResetProgress();
}

void CTabFileView::OnRootCollapsed() {
  Context().frame.SetStatusText("Wait! Deleting All Entries!");
  Rebuild(kRoot, "");
  Context().frame.SetStatusText("Ready");
}

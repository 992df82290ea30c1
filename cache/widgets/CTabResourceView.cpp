#include "cache/widgets/CTabResourceView.h"

#include "cache/store/Classification.h"
#include "qtutil/WaitCursor.h"

namespace vantry::cache {

namespace {
const std::string kRoot = "Cached Url's";
const std::string kRootAfterCollapse = "Cached URL's";
}  // namespace

CTabResourceView::CTabResourceView(const ListTabContext& context, QWidget* parent)
    : ListTabView(context, CookieFileStep::Decode, parent) {}

void CTabResourceView::BuildInitialList() {
  Rebuild(kRoot, "yLast");
  expanded_ = false;
}

void CTabResourceView::ResetList() {
  if (!expanded_) return;
  Rebuild(kRoot, "");
  Context().frame.SetAddress("");
  expanded_ = false;
}

void CTabResourceView::OnRootExpanded() {
  FrameServices& frame = Context().frame;
  frame.EnsureProgressBar();
  std::vector<std::string> leaves;
  FillResult fill;
  {
    qtutil::WaitCursor wait;
    fill = FillFollowed([&](const ProgressStep& step, WorkProgress& work) {
      return FillAccessList(Context().store, ReadClusterSize(Context().store.RootFolder()), leaves, step, work);
    });
  }
  if (fill.walk == WalkResult::Stopped) return;
  Items().ReplaceChildren(std::move(leaves));
  PublishFillStatistics(fill, frame, Context().panes);
  frame.ResetProgress();
  frame.SetStatusText("Ready");
  expanded_ = true;
}

void CTabResourceView::OnRootCollapsed() {
  Rebuild(kRootAfterCollapse, "");
  Context().frame.SetStatusText("Ready");
  Context().frame.SetAddress("");
  expanded_ = false;
}

}  // namespace vantry::cache

#include "cache/widgets/CTabClassView.h"

#include "cache/store/Classification.h"
#include "qtutil/WaitCursor.h"

namespace vantry::cache {

namespace {
const std::string kRoot = "Cached Url's";
}  // namespace

CTabClassView::CTabClassView(const ListTabContext& context, const ShowMask& mask, QWidget* parent)
    : ListTabView(context, CookieFileStep::Skip, parent), mask_(mask) {}

void CTabClassView::BuildInitialList() {
  Rebuild(kRoot, "xAlpha");
  expanded_ = false;
}

void CTabClassView::ResetList() {
  if (!expanded_) return;
  Rebuild(kRoot, "");
  Context().frame.SetAddress("");
}

void CTabClassView::ExpandForFind() {
  ResetList();
  findUsed_ = true;
  expand(Model().RootIndex());
}

void CTabClassView::OnRootExpanded() {
  FrameServices& frame = Context().frame;
  frame.EnsureProgressBar();
  std::vector<std::string> leaves;
  qtutil::WaitCursor wait;
  const FillResult fill = FillFollowed([&](const ProgressStep& step, WorkProgress& work) {
    return FillAlphaList(Context().store, ReadClusterSize(Context().store.RootFolder()),
                         findUsed_ ? AlphaFill::AfterFind : AlphaFill::BeforeFind, Context().request, mask_, leaves,
                         step, work);
  });
  if (fill.walk == WalkResult::Stopped) return;
  PublishFillStatistics(fill, frame, Context().panes);
  if (leaves.empty()) {
    ClearSelection();
    leaves.push_back("None");
  }
  frame.ResetProgress();
  frame.SetStatusText("Wait! Sorting!");
  SortListTexts(leaves);
  Items().ReplaceChildren(std::move(leaves));
  frame.SetStatusText("Ready");
  expanded_ = true;
}

void CTabClassView::OnRootCollapsed() {
  Rebuild(kRoot, "");
  Context().frame.SetStatusText("Ready");
  expanded_ = false;
}

}  // namespace vantry::cache

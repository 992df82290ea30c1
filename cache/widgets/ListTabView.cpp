#include "cache/widgets/ListTabView.h"

#include <QItemSelectionModel>
#include <QStyle>

namespace vantry::cache {

ListTabView::ListTabView(const ListTabContext& context, CookieFileStep cookieFile, QWidget* parent)
    : QTreeView(parent), context_(context), cookieFile_(cookieFile) {
  stepProgress_ = [this] { context_.frame.StepProgress(); };
  TabTreeModel::KindIcons files;
  files.fill(style()->standardIcon(QStyle::SP_FileIcon));
  SetKindIcons(files);
  setModel(&model_);
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setRootIsDecorated(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) { OnExpandedOrCollapsed(index, true); });
  connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) { OnExpandedOrCollapsed(index, false); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { OnCurrentChanged(current); });
}

void ListTabView::SetKindIcons(TabTreeModel::KindIcons icons) {
  model_.SetIcons(style()->standardIcon(QStyle::SP_DirHomeIcon), style()->standardIcon(QStyle::SP_DirIcon),
                  std::move(icons));
  viewport()->update();
}

std::string ListTabView::RootText() const { return std::string(model_.TextAt(model_.RootIndex())); }

void ListTabView::ClearSelection() { selectionModel()->clear(); }

bool ListTabView::RemoveItem(std::string_view address, int levels) { return model_.RemoveFirst(address, levels); }

void ListTabView::Rebuild(const std::string& rootText, const std::string& placeholderText) {
  selectionModel()->clear();
  model_.ResetTree(rootText, placeholderText);
  selectionChanges_ = 0;
  setCurrentIndex(model_.RootIndex());
}

FillResult ListTabView::FillFollowed(const Fill& fill) {
  FillResult result;
  {
    std::unique_ptr<WorkProgress> work = context_.frame.BeginWork("Reading the cache");
    result = fill(stepProgress_, *work);
  }
  if (result.walk == WalkResult::Stopped) {
    context_.frame.ResetProgress();
    OnRootCollapsed();
  }
  return result;
}

void ListTabView::OnExpandedOrCollapsed(const QModelIndex& index, bool expanded) {
  context_.frame.RegisterExpandedList(this);
  if (index != model_.RootIndex()) return;
  if (expanded) {
    OnRootExpanded();
  } else {
    OnRootCollapsed();
  }
}

void ListTabView::OnCurrentChanged(const QModelIndex& current) {
  if (!current.isValid()) return;
  if (++selectionChanges_ < 2) return;
  RunSelectionStep(context_, model_.TextAt(current), cookieFile_);
}

}  // namespace vantry::cache

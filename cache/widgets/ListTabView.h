#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QTreeView>

#include "cache/lists/ListFill.h"
#include "cache/lists/ListTabContext.h"
#include "cache/lists/SelectionStep.h"
#include "cache/services/FrameServices.h"
#include "cache/widgets/TabTreeModel.h"

namespace vantry::cache {

// What the three list tabs share: a tree under one bold root that is filled when the
// root expands and thrown away when it collapses, the frame registration of every
// expand and collapse, and the selection step for every selection change after the
// first one following a rebuild.
class ListTabView : public QTreeView, public ExpandedList {
  Q_OBJECT

 public:
  ListTabView(const ListTabContext& context, CookieFileStep cookieFile, QWidget* parent);

  // Builds the collapsed tree the tab starts with; the frame calls it once.
  virtual void BuildInitialList() = 0;
  // Throws the items away after the store was changed by a delete command.
  virtual void ResetList() = 0;

  std::string RootText() const override;
  void ClearSelection() override;
  bool RemoveItem(std::string_view address, int levels) override;

  // The icons of the entries by their kind (the root and the folders keep theirs).
  void SetKindIcons(TabTreeModel::KindIcons icons);

  const TabTreeModel& Model() const { return model_; }

 protected:
  virtual void OnRootExpanded() = 0;
  virtual void OnRootCollapsed() = 0;

  // A new collapsed tree: `rootText` with one placeholder child. The tree then selects
  // its root, which is the one selection change that runs no selection step.
  void Rebuild(const std::string& rootText, const std::string& placeholderText);

  const ListTabContext& Context() const { return context_; }
  TabTreeModel& Items() { return model_; }

  using Fill = std::function<FillResult(const ProgressStep& stepProgress, WorkProgress& work)>;
  // Runs the fill of an expansion while the frame follows it as work, handing it the step of
  // the frame's progress bar. When the user stops it, the root is collapsed again, as the
  // user's own collapse leaves it.
  FillResult FillFollowed(const Fill& fill);

 private:
  void OnExpandedOrCollapsed(const QModelIndex& index, bool expanded);
  void OnCurrentChanged(const QModelIndex& current);

  ListTabContext context_;
  CookieFileStep cookieFile_;
  ProgressStep stepProgress_;
  TabTreeModel model_;
  int selectionChanges_ = 0;
};

}  // namespace vantry::cache

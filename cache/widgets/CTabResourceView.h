#pragma once

#include "cache/widgets/ListTabView.h"

namespace vantry::cache {

// The "AccessSort" tab: every entry of the store in the store's own order.
class CTabResourceView : public ListTabView {
  Q_OBJECT

 public:
  CTabResourceView(const ListTabContext& context, QWidget* parent = nullptr);

  void BuildInitialList() override;
  // Only while expanded: back to the collapsed tree, and the address box cleared.
  void ResetList() override;
  bool IsExpanded() const { return expanded_; }

 protected:
  void OnRootExpanded() override;
  void OnRootCollapsed() override;

 private:
  bool expanded_ = false;
};

// The tab's document: it only gives the frame and the delete commands its view.
class CTabResourceDoc {
 public:
  explicit CTabResourceDoc(CTabResourceView* view = nullptr) : view_(view) {}
  CTabResourceView* View() const { return view_; }

 private:
  CTabResourceView* view_;
};

}  // namespace vantry::cache

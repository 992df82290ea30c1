#pragma once

#include "cache/widgets/ListTabView.h"

namespace vantry::inspect {

// The "History" tab: the store's history entries in fifteen folders by the age of
// their last visit.
class CTabFileView : public cache::ListTabView {
  Q_OBJECT

 public:
  CTabFileView(const cache::ListTabContext& context, QWidget* parent = nullptr);

  void BuildInitialList() override;
  // In either state: back to the collapsed tree, and the address box cleared.
  void ResetList() override;

 protected:
  void OnRootExpanded() override;
  void OnRootCollapsed() override;
};

// The tab's document: forwards the frame's two requests to its view, if it has one.
class CTabFileDoc {
 public:
  explicit CTabFileDoc(CTabFileView* view = nullptr) : view_(view) {}
  CTabFileView* View() const { return view_; }
  void Initialise() {
    if (view_) view_->BuildInitialList();
  }
  void Reset() {
    if (view_) view_->ResetList();
  }

 private:
  CTabFileView* view_;
};

}  // namespace vantry::inspect

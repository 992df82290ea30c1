#pragma once

#include "cache/lists/ShowMask.h"
#include "cache/widgets/ListTabView.h"

namespace vantry::cache {

// The "AlphaSort" tab: the entries that match the search request (and, once Find has
// run, the show mask), sorted by URL.
class CTabClassView : public ListTabView {
  Q_OBJECT

 public:
  // `mask` is the frame's show mask; it outlives the view.
  CTabClassView(const ListTabContext& context, const ShowMask& mask, QWidget* parent = nullptr);

  void BuildInitialList() override;
  // Only while expanded: back to the collapsed tree, and the address box cleared.
  void ResetList() override;
  // For the Find command, after it set the request and the show mask: empties the list,
  // marks that Find has run and expands the root, which fills by the Find rules.
  void ExpandForFind();

  bool IsExpanded() const { return expanded_; }
  bool FindUsed() const { return findUsed_; }

 protected:
  void OnRootExpanded() override;
  void OnRootCollapsed() override;

 private:
  const ShowMask& mask_;
  bool expanded_ = false;
  bool findUsed_ = false;
};

// The tab's document: it only gives the frame and the commands its view.
class CTabClassDoc {
 public:
  explicit CTabClassDoc(CTabClassView* view = nullptr) : view_(view) {}
  CTabClassView* View() const { return view_; }

 private:
  CTabClassView* view_;
};

}  // namespace vantry::cache

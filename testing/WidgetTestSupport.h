#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QTreeView>

#include "cache/widgets/TabTreeModel.h"

namespace vantry::testing {

// The texts of the children of `parent`, in their order.
inline std::vector<std::string> ChildTexts(const cache::TabTreeModel& model, const QModelIndex& parent) {
  std::vector<std::string> texts;
  for (int row = 0; row < model.rowCount(parent); ++row) texts.emplace_back(model.TextAt(model.index(row, 0, parent)));
  return texts;
}

inline QModelIndex ChildAt(const cache::TabTreeModel& model, int row) { return model.index(row, 0, model.RootIndex()); }

// Makes the root's child with `text` the view's current item, as a click would; false when
// there is none.
inline bool SelectChild(QTreeView& view, const cache::TabTreeModel& model, std::string_view text) {
  for (int row = 0; row < model.rowCount(model.RootIndex()); ++row) {
    if (model.TextAt(ChildAt(model, row)) == text) {
      view.setCurrentIndex(ChildAt(model, row));
      return true;
    }
  }
  return false;
}

}  // namespace vantry::testing

#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractItemModel>
#include <QFont>
#include <QIcon>

#include "cache/lists/EntryKind.h"

namespace vantry::cache {

// The items of a list tab: one bold root, its children, and their children. Texts are
// kept as bytes and turned into display strings only for the rows being drawn, so a
// list of 100,000 URLs is set in one step.
class TabTreeModel : public QAbstractItemModel {
 public:
  struct Child {
    std::string text;
    std::vector<std::string> children;
  };

  explicit TabTreeModel(QObject* parent = nullptr);

  // Throws every item away: a new root with one childless child (the placeholder).
  void ResetTree(std::string rootText, std::string placeholderText);
  // Replaces the root's children (the placeholder included).
  void ReplaceChildren(std::vector<Child> children);
  // Replaces the root's children by leaves.
  void ReplaceChildren(std::vector<std::string> leaves);
  // Removes the first item `levels` levels below the root whose text is exactly `text`.
  bool RemoveFirst(std::string_view text, int levels);

  QModelIndex RootIndex() const;
  // The bytes of an item's text; empty for an invalid index.
  std::string_view TextAt(const QModelIndex& index) const;
  // Icons of the root, of the folders (children that hold children), and of the entries by
  // the kind their text names.
  using KindIcons = std::array<QIcon, kEntryKindCount>;
  void SetIcons(QIcon root, QIcon folder, KindIcons kinds);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  void SetChildren(std::vector<Child> children, bool folders);
  QIcon IconOf(const QModelIndex& index) const;

  // The internal id of an index: the root is 0, its children 1, and a grandchild
  // kGrandchildBase plus the row of its parent.
  static constexpr quintptr kRootId = 0;
  static constexpr quintptr kChildId = 1;
  static constexpr quintptr kGrandchildBase = 2;

  std::string root_;
  std::vector<Child> children_;
  bool childrenAreFolders_ = false;
  QFont rootFont_;
  QIcon rootIcon_;
  QIcon folderIcon_;
  KindIcons kindIcons_;
};

}  // namespace vantry::cache

#include "cache/widgets/TabTreeModel.h"

#include <algorithm>

#include "qtutil/ByteText.h"

namespace vantry::cache {

TabTreeModel::TabTreeModel(QObject* parent) : QAbstractItemModel(parent) { rootFont_.setBold(true); }

void TabTreeModel::ResetTree(std::string rootText, std::string placeholderText) {
  beginResetModel();
  root_ = std::move(rootText);
  children_.clear();
  children_.push_back({std::move(placeholderText), {}});
  childrenAreFolders_ = false;
  endResetModel();
}

void TabTreeModel::ReplaceChildren(std::vector<Child> children) { SetChildren(std::move(children), true); }

void TabTreeModel::SetChildren(std::vector<Child> children, bool folders) {
  const QModelIndex root = RootIndex();
  if (!children_.empty()) {
    beginRemoveRows(root, 0, static_cast<int>(children_.size()) - 1);
    children_.clear();
    endRemoveRows();
  }
  childrenAreFolders_ = folders;
  if (children.empty()) return;
  beginInsertRows(root, 0, static_cast<int>(children.size()) - 1);
  children_ = std::move(children);
  endInsertRows();
}

void TabTreeModel::ReplaceChildren(std::vector<std::string> leaves) {
  std::vector<Child> children(leaves.size());
  for (size_t i = 0; i < leaves.size(); ++i) children[i].text = std::move(leaves[i]);
  SetChildren(std::move(children), false);
}

bool TabTreeModel::RemoveFirst(std::string_view text, int levels) {
  const QModelIndex root = RootIndex();
  if (levels == 1) {
    auto found = std::find_if(children_.begin(), children_.end(), [&](const Child& c) { return c.text == text; });
    if (found == children_.end()) return false;
    int row = static_cast<int>(found - children_.begin());
    beginRemoveRows(root, row, row);
    children_.erase(found);
    endRemoveRows();
    return true;
  }
  for (size_t parentRow = 0; parentRow < children_.size(); ++parentRow) {
    std::vector<std::string>& leaves = children_[parentRow].children;
    auto found = std::find(leaves.begin(), leaves.end(), text);
    if (found == leaves.end()) continue;
    int row = static_cast<int>(found - leaves.begin());
    beginRemoveRows(index(static_cast<int>(parentRow), 0, root), row, row);
    leaves.erase(found);
    endRemoveRows();
    return true;
  }
  return false;
}

QModelIndex TabTreeModel::RootIndex() const { return createIndex(0, 0, kRootId); }

std::string_view TabTreeModel::TextAt(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  switch (index.internalId()) {
    case kRootId:
      return root_;
    case kChildId:
      return children_[index.row()].text;
    default:
      return children_[index.internalId() - kGrandchildBase].children[index.row()];
  }
}

void TabTreeModel::SetIcons(QIcon root, QIcon folder, KindIcons kinds) {
  rootIcon_ = std::move(root);
  folderIcon_ = std::move(folder);
  kindIcons_ = std::move(kinds);
}

QIcon TabTreeModel::IconOf(const QModelIndex& index) const {
  if (index.internalId() == kRootId) return rootIcon_;
  if (index.internalId() == kChildId && childrenAreFolders_) return folderIcon_;
  return kindIcons_[static_cast<size_t>(KindOfListText(TextAt(index)))];
}

QModelIndex TabTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
  if (!parent.isValid()) return createIndex(row, 0, kRootId);
  if (parent.internalId() == kRootId) return createIndex(row, 0, kChildId);
  return createIndex(row, 0, kGrandchildBase + static_cast<quintptr>(parent.row()));
}

QModelIndex TabTreeModel::parent(const QModelIndex& index) const {
  if (!index.isValid() || index.internalId() == kRootId) return {};
  if (index.internalId() == kChildId) return RootIndex();
  return createIndex(static_cast<int>(index.internalId() - kGrandchildBase), 0, kChildId);
}

int TabTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return 1;
  if (parent.column() != 0) return 0;
  switch (parent.internalId()) {
    case kRootId:
      return static_cast<int>(children_.size());
    case kChildId:
      return static_cast<int>(children_[parent.row()].children.size());
    default:
      return 0;
  }
}

int TabTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TabTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:  // the whole address where the narrow list cuts it short
      return qtutil::QStringFromBytes(TextAt(index));
    case Qt::FontRole:
      return index.internalId() == kRootId ? QVariant(rootFont_) : QVariant();
    case Qt::DecorationRole: {
      QIcon icon = IconOf(index);
      return icon.isNull() ? QVariant() : QVariant(icon);
    }
    default:
      return {};
  }
}

}  // namespace vantry::cache

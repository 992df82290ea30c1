#include "DockContents.h"

#include <QFont>
#include <QLabel>
#include <QTreeWidget>

namespace {

struct TabRoot {
  const char* root;
  const char* placeholder;
};

// Each list starts as its root with one placeholder child, so the root can be expanded.
TabRoot RootOf(ListTab tab) {
  switch (tab) {
    case ListTab::AlphaSort: return {"Cached Url's", "xLast"};
    case ListTab::AccessSort: return {"Cached Url's", "yLast"};
    case ListTab::History: return {"History", "zHistory"};
  }
  return {"", ""};
}

QWidget* CollapsedList(ListTab tab, FrameServices&, QWidget* parent) {
  auto* tree = new QTreeWidget(parent);
  tree->setHeaderHidden(true);
  tree->setRootIsDecorated(true);
  TabRoot texts = RootOf(tab);
  auto* root = new QTreeWidgetItem(tree, {QString::fromLatin1(texts.root)});
  QFont bold = root->font(0);
  bold.setBold(true);
  root->setFont(0, bold);
  new QTreeWidgetItem(root, {QString::fromLatin1(texts.placeholder)});
  return tree;
}

QWidget* EmptyBar(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setAccessibleName(name);
  label->setBackgroundRole(QPalette::Base);
  label->setAutoFillBackground(true);
  label->setFocusPolicy(Qt::StrongFocus);
  return label;
}

}  // namespace

DockContents PlaceholderDockContents() {
  return {
      CollapsedList,
      [](FrameServices&, QWidget* parent) { return EmptyBar(QObject::tr("Output"), parent); },
      [](FrameServices&, QWidget* parent) { return EmptyBar(QObject::tr("Memory"), parent); },
  };
}

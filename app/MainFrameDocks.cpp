// The docks of the main frame: the workspace with the three list tabs, the output bar and
// the memory bar, with their default places and sizes, the flat look and the saved layout.
#include <tuple>
#include <utility>

#include <QDockWidget>
#include <QFrame>
#include <QTabWidget>
#include <QToolBar>

#include "app/AppSettings.h"
#include "app/CMainFrame.h"
#include "app/FramePanes.h"
#include "app/FrameStatusBar.h"
#include "app/ThemeIcons.h"
#include "cache/widgets/CTabClassView.h"
#include "cache/widgets/CTabResourceView.h"
#include "inspect/history/widgets/CTabFileView.h"
#include "inspect/widgets/CMemoryBar.h"
#include "inspect/widgets/COutputBar.h"

namespace vantry::app {

namespace {

// Default sizes for a 1280 by 800 screen: a list wide enough for addresses, an output bar
// of a dozen lines, and a memory bar wide enough for sixteen bytes in hex and text.
constexpr int kWorkspaceWidth = 320;
constexpr int kBottomHeight = 190;
constexpr int kOutputWidth = 560;
constexpr int kMemoryWidth = 400;

// The icons of the list entries by kind: the theme's file-type icons, bundled ones for style
// sheets and cookies.
cache::TabTreeModel::KindIcons EntryKindIcons() {
  using enum cache::EntryKind;
  const std::pair<cache::EntryKind, const char*> names[] = {
      {Page, "text-html"},       {Image, "image-x-generic"},        {Script, "text-x-script"}, {StyleSheet, "text-css"},
      {Cookie, "vantry-cookie"}, {History, "document-open-recent"}, {Other, "text-x-generic"},
  };
  cache::TabTreeModel::KindIcons icons;
  for (const auto& [kind, name] : names) icons[static_cast<size_t>(kind)] = ThemeIcon(name, IconLook::Colour);
  return icons;
}

QDockWidget* MakeDock(const QString& title, const char* objectName, QWidget* content, QMainWindow* frame) {
  auto* dock = new QDockWidget(title, frame);
  dock->setObjectName(QLatin1String(objectName));
  dock->setAllowedAreas(Qt::AllDockWidgetAreas);
  dock->setWidget(content);
  content->setParent(dock);
  return dock;
}

}  // namespace

// The three lists over the frame's store, services, panes and records, each collapsed.
void CMainFrame::BuildListTabs() {
  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("WorkspaceTabs"));
  tabs_->setAccessibleName(tr("Workspace"));
  const cache::ListTabContext context{parts_.store, *this, *panes_, currentEntry_, request_};
  alphaSort_ = new cache::CTabClassView(context, showMask_, tabs_);
  accessSort_ = new cache::CTabResourceView(context, tabs_);
  history_ = new inspect::CTabFileView(context, tabs_);
  const std::tuple<cache::ListTabView*, const char*, const char*> tabs[] = {
      {alphaSort_, "AlphaSort", "view-sort-ascending"},
      {accessSort_, "AccessSort", "view-sort-descending"},
      {history_, "History", "document-open-recent"},
  };
  const cache::TabTreeModel::KindIcons kindIcons = EntryKindIcons();
  for (const auto& [list, label, icon] : tabs) {
    list->SetKindIcons(kindIcons);
    list->setObjectName(QLatin1String(label));
    list->setAccessibleName(QLatin1String(label));
    tabs_->addTab(list, ThemeIcon(icon), QLatin1String(label));
    list->BuildInitialList();
  }
}

void CMainFrame::BuildDocks() {
  BuildListTabs();
  outputView_ = new inspect::COutputBar(panes_.get());
  outputView_->setAccessibleName(tr("Output"));
  memoryView_ = new inspect::CMemoryBar;
  memoryView_->setAccessibleName(tr("Memory"));
  panes_->SetBars(outputView_, memoryView_);
  workspace_ = MakeDock(tr("Workspace"), "WorkspaceBar", tabs_, this);
  output_ = MakeDock(tr("Output"), "OutputBar", outputView_, this);
  memory_ = MakeDock(tr("Memory"), "MemoryBar", memoryView_, this);

  addDockWidget(Qt::LeftDockWidgetArea, workspace_);
  addDockWidget(Qt::BottomDockWidgetArea, output_);
  splitDockWidget(output_, memory_, Qt::Horizontal);
  resizeDocks({workspace_}, {kWorkspaceWidth}, Qt::Horizontal);
  resizeDocks({output_, memory_}, {kBottomHeight, kBottomHeight}, Qt::Vertical);
  resizeDocks({output_, memory_}, {kOutputWidth, kMemoryWidth}, Qt::Horizontal);

  // The View menu's items follow the docks and toolbars, also when they are closed directly.
  for (const auto& [id, bar] : ViewBars()) {
    if (auto* dock = qobject_cast<QDockWidget*>(bar))
      connect(dock->toggleViewAction(), &QAction::toggled, actions_[id], &QAction::setChecked);
    if (auto* toolBar = qobject_cast<QToolBar*>(bar))
      connect(toolBar->toggleViewAction(), &QAction::toggled, actions_[id], &QAction::setChecked);
  }
  ApplyFlatLook();
  ShowViewBarStates();
}

std::vector<std::pair<CommandId, QWidget*>> CMainFrame::ViewBars() const {
  return {{CommandId::ToolBar, mainToolBar_}, {CommandId::NavigationBar, navigationBar_},
          {CommandId::StatusBar, status_},    {CommandId::Workspace, workspace_},
          {CommandId::Output, output_},       {CommandId::Memory, memory_}};
}

void CMainFrame::ShowViewBarStates() {
  for (const auto& [id, bar] : ViewBars()) actions_[id]->setChecked(!bar->isHidden());
}

// Flat: tabs drawn as a plain strip and the docks' contents without a sunken frame.
void CMainFrame::ApplyFlatLook() {
  tabs_->setDocumentMode(flatLook_);
  QList<QWidget*> contents{output_->widget(), memory_->widget()};
  for (int i = 0; i < tabs_->count(); ++i) contents << tabs_->widget(i);
  for (QWidget* content : contents)
    if (auto* frame = qobject_cast<QFrame*>(content))
      frame->setFrameShape(flatLook_ ? QFrame::NoFrame : QFrame::StyledPanel);
}

// The built layout stays the way back when the saved one cannot be used.
void CMainFrame::RestoreLayout() {
  const QByteArray built = saveState();
  const QByteArray saved = parts_.settings.BarState();
  if (!saved.isEmpty() && !restoreState(saved)) restoreState(built);
  ShowViewBarStates();
}

}  // namespace vantry::app

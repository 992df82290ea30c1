// The menu bar of the main frame.
#include <QMenuBar>

#include "app/CMainFrame.h"

namespace vantry::app {

namespace {

using enum CommandId;

// A separator in a list of menu items.
constexpr CommandId kSeparator = CommandId(0);

struct MenuDefinition {
  const char* title;
  std::initializer_list<CommandId> items;
};

const MenuDefinition kMenus[] = {
    {"&File",
     {New, Open, Save, SaveAs, kSeparator, SaveRawAs, kSeparator, ImportFromBrowser, kSeparator, Preferences,
      kSeparator, Print, PrintSetup, kSeparator, Exit}},
    {"&Edit", {Undo, kSeparator, Copy, Cut, Paste, kSeparator, SelectAll}},
    {"&View", {ToolBar, NavigationBar, StatusBar, kSeparator, Workspace, Output, Memory}},
    {"&Options", {DoNotAsk, PageScripts}},
    {"&Help", {Help, About}},
};

}  // namespace

void CMainFrame::BuildMenus() {
  for (const MenuDefinition& definition : kMenus) {
    QMenu* menu = menuBar()->addMenu(tr(definition.title));
    for (CommandId id : definition.items) {
      if (id == kSeparator)
        menu->addSeparator();
      else
        menu->addAction(actions_[id]);
    }
  }
  // Keys without a menu item of their own.
  addAction(actions_[NextPane]);
  addAction(actions_[PreviousPane]);
}

}  // namespace vantry::app

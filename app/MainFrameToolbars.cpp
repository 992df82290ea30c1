// The toolbars of the main frame: the main toolbar, the navigation bar with its labelled
// buttons and drop-down menus, the address box and the animation.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMovie>
#include <QToolBar>
#include <QToolButton>

#include "app/CMainFrame.h"
#include "qtutil/ByteText.h"

namespace vantry::app {

namespace {

using enum CommandId;

constexpr CommandId kSeparator = CommandId(0);

const CommandId kMainToolBar[] = {New,
                                  kSeparator,
                                  Open,
                                  Save,
                                  kSeparator,
                                  Cut,
                                  Copy,
                                  Paste,
                                  kSeparator,
                                  Print,
                                  kSeparator,
                                  Workspace,
                                  Output,
                                  Memory,
                                  kSeparator,
                                  AlphaSortToggle,
                                  AccessSortToggle,
                                  HistoryToggle,
                                  kSeparator,
                                  FlatLook,
                                  kSeparator,
                                  DoNotAsk,
                                  kSeparator,
                                  About};

// A drop-down item: its command and, where it differs from the command's own, its text.
struct DropDownItem {
  CommandId id;
  const char* text = nullptr;
};

struct NavigationButton {
  CommandId id;
  std::initializer_list<DropDownItem> dropDown;
};

const NavigationButton kNavigationBar[] = {
    {Back, {{GoTenEntries, "Go Back  10 Entries"}}},
    {Forward, {{GoTenEntries, "Go Forward 10 Entries"}}},
    {Index, {}},
    {Strip, {}},
    {CopyButton,
     {{CopySingleFile},
      {CopyReconstructingTree},
      {kSeparator},
      {CopyFiles},
      {kSeparator},
      {StickyFile},
      {StickyAddress}}},
    {FindButton,
     {{FindFilesInCache}, {FindTextInFiles}, {FindTextOnAllDisks}, {kSeparator}, {CheckLinksPassed}, {CheckLinksDead}}},
    {DeleteButton,
     {{DeleteCacheEntry},
      {DeleteCacheEntries},
      {DeleteHistoryEntry},
      {DeleteTodaysHistory},
      {DeleteAllHistory},
      {DeleteInactiveHistory},
      {DeleteVcHistory},
      {DeleteLocalEntries},
      {DeleteAllCookieEntries},
      {DeleteAllCookies},
      {DeleteCacheCompletely}}},
    {Properties, {}},
    {FontsButton, {{LargestFonts}, {LargerFonts}, {MediumFonts}, {SmallerFonts}, {SmallestFonts}}},
};

constexpr int kButtonMinWidth = 50;
constexpr int kButtonMaxWidth = 150;

}  // namespace

void CMainFrame::BuildMainToolBar() {
  mainToolBar_ = new QToolBar(tr("Toolbar"), this);
  mainToolBar_->setObjectName(QStringLiteral("MainToolBar"));
  mainToolBar_->setIconSize(QSize(16, 16));
  for (CommandId id : kMainToolBar) {
    if (id == kSeparator)
      mainToolBar_->addSeparator();
    else
      mainToolBar_->addAction(actions_[id]);
  }
  addToolBar(Qt::TopToolBarArea, mainToolBar_);
}

void CMainFrame::BuildNavigationBar() {
  addToolBarBreak();
  navigationBar_ = new QToolBar(tr("NavigationBar"), this);
  navigationBar_->setObjectName(QStringLiteral("NavigationBar"));
  navigationBar_->setIconSize(QSize(22, 22));
  navigationBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (const NavigationButton& button : kNavigationBar) {
    auto* tool = new QToolButton(navigationBar_);
    tool->setDefaultAction(actions_[button.id]);
    tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tool->setMinimumWidth(kButtonMinWidth);
    tool->setMaximumWidth(kButtonMaxWidth);
    tool->setAutoRaise(true);
    if (button.dropDown.size() > 0) {
      auto* menu = new QMenu(tool);
      for (const DropDownItem& item : button.dropDown) {
        if (item.id == kSeparator) {
          menu->addSeparator();
        } else if (item.text) {
          // One id under two texts: a disabled item of its own for each button.
          QAction* own = menu->addAction(tr(item.text));
          own->setData(static_cast<int>(item.id));
          own->setEnabled(false);
        } else {
          menu->addAction(actions_[item.id]);
        }
      }
      tool->setMenu(menu);
      tool->setPopupMode(QToolButton::MenuButtonPopup);
    }
    navigationBar_->addWidget(tool);
  }
  addToolBar(Qt::TopToolBarArea, navigationBar_);
}

void CMainFrame::BuildAddressBar() {
  addToolBarBreak();
  addressBar_ = new QToolBar(tr("Address"), this);
  addressBar_->setObjectName(QStringLiteral("AddressBar"));
  auto* label = new QLabel(tr("Address:"), addressBar_);
  label->setContentsMargins(4, 0, 6, 0);
  address_ = new QComboBox(addressBar_);
  address_->setObjectName(QStringLiteral("AddressBox"));
  address_->setEditable(true);
  // Only SetAddress adds to the list; an edit goes to its handler instead.
  address_->setInsertPolicy(QComboBox::NoInsert);
  address_->setMinimumWidth(200);
  address_->setMaxVisibleItems(12);
  address_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  address_->setAccessibleName(tr("Address"));
  label->setBuddy(address_);
  addressBar_->addWidget(label);
  addressBar_->addWidget(address_);
  connect(address_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (addressEdited_) addressEdited_(qtutil::BytesFromQString(address_->currentText()));
  });
  addToolBar(Qt::TopToolBarArea, addressBar_);
}

void CMainFrame::BuildAnimation() {
  animation_ = new QLabel(menuBar());
  animation_->setObjectName(QStringLiteral("Animation"));
  animation_->setAccessibleName(tr("Activity"));
  auto* movie = new QMovie(QStringLiteral(":/vantry/animation.gif"), QByteArray(), animation_);
  animation_->setMovie(movie);
  animation_->setFixedSize(24, 24);
  animation_->setContentsMargins(0, 0, 4, 0);
  menuBar()->setCornerWidget(animation_, Qt::TopRightCorner);
  // Still on its first frame until work runs: an idle window costs nothing.
  movie->jumpToFrame(0);
}

void CMainFrame::PlayAnimation(bool play) {
  QMovie* movie = animation_->movie();
  if (play) {
    movie->start();
    return;
  }
  movie->stop();
  movie->jumpToFrame(0);
}

}  // namespace vantry::app

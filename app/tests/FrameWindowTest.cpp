// The frame's furniture: menus, shortcuts, toolbars, drop-downs, status panes, docks.
#include <map>

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMovie>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/FrameStatusBar.h"
#include "app/tests/FrameTestSupport.h"
#include "cache/widgets/ListTabView.h"

namespace vantry::app {

namespace {

// A menu or toolbar as "text=id" items, "-" for a separator.
QStringList Items(const QList<QAction*>& actions) {
  QStringList items;
  for (QAction* action : actions)
    items << (action->isSeparator() ? QStringLiteral("-")
                                    : action->text() + "=" + QString::number(action->data().toInt()));
  return items;
}

TEST_F(FrameTest, MenusHoldTheirItemsInOrderWithTheirIds) {
  auto frame = MakeFrame();
  struct Menu {
    QString title;
    QStringList items;
  };
  const Menu expected[] = {
      {"&File",
       {"&New\tCtrl+N=57600", "&Open...\tCtrl+O=57601", "&Save...=3000", "Save &As=3005", "-", "Save raw as=32815", "-",
        "Import from browser...=3010", "-", "Preferences=4080", "-", "&Print...\tCtrl+P=57607", "P&rint Setup...=57606",
        "-", "E&xit=57665"}},
      {"&Edit", {"&Undo\tCtrl+Z=57643", "-", "Copy=57634", "Cut=57635", "Paste=57637", "-", "Select All=57642"}},
      {"&View",
       {"&Toolbar=59392", "Na&vigationBar=32807", "&Status Bar=59393", "-", "&Workspace=1103", "&Output=1104",
        "&Memory=1130"}},
      {"&Options", {"&Do Not Ask=5010", "Run Page &Scripts=5011"}},
      {"&Help", {"&HELP=57670", "&About Vantry...=57664"}},
  };
  const QList<QAction*> menus = frame->menuBar()->actions();
  ASSERT_EQ(menus.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(menus[i]->text(), expected[i].title);
    EXPECT_EQ(Items(menus[i]->menu()->actions()), expected[i].items) << expected[i].title.toStdString();
  }
}

TEST_F(FrameTest, ShortcutKeysFollowTheAcceleratorTable) {
  auto frame = MakeFrame();
  struct Keys {
    CommandId id;
    QList<QKeySequence> keys;
  };
  const Keys expected[] = {
      {CommandId::New, {QKeySequence("Ctrl+N")}},
      {CommandId::Open, {QKeySequence("Ctrl+O")}},
      {CommandId::Save, {QKeySequence("Ctrl+S")}},
      {CommandId::Print, {QKeySequence("Ctrl+P")}},
      {CommandId::Undo, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
      {CommandId::Copy, {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
      {CommandId::Paste, {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
      {CommandId::Cut, {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
      {CommandId::NextPane, {QKeySequence("F6")}},
      {CommandId::PreviousPane, {QKeySequence("Shift+F6")}},
      {CommandId::Exit, {QKeySequence("Ctrl+Q")}},
      {CommandId::SaveAs, {}},
  };
  for (const Keys& keys : expected) EXPECT_EQ(frame->action(keys.id)->shortcuts(), keys.keys) << int(keys.id);
}

// Alt and a letter reach one item only: no two items of a menu share their letter.
TEST_F(FrameTest, EveryMenuItemHasAMnemonicOfItsOwn) {
  auto frame = MakeFrame();
  for (QAction* menu : frame->menuBar()->actions()) {
    std::map<QChar, QString> taken;
    for (QAction* item : menu->menu()->actions()) {
      const QString text = item->text().section('\t', 0, 0);
      const qsizetype amp = text.indexOf('&');
      if (amp < 0 || amp + 1 >= text.size()) continue;
      const QChar letter = text[amp + 1].toLower();
      EXPECT_FALSE(taken.contains(letter))
          << menu->text().toStdString() << ": " << text.toStdString() << " and " << taken[letter].toStdString();
      taken[letter] = text;
    }
  }
}

TEST_F(FrameTest, MainToolBarHasItsButtonsInOrder) {
  auto frame = MakeFrame();
  QStringList ids;
  for (QAction* action : frame->mainToolBar()->actions())
    ids << (action->isSeparator() ? QStringLiteral("|") : QString::number(action->data().toInt()));
  EXPECT_EQ(ids.join(' '),
            "57600 | 57601 3000 | 57635 57634 57637 | 57607 | 1103 1104 1130 | "
            "33771 33773 33772 | 33774 | 5010 | 57664");
  for (QAction* action : frame->mainToolBar()->actions()) {
    if (action->isSeparator()) continue;
    EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
  }
}

TEST_F(FrameTest, NavigationBarHasLabelledButtonsWithTheirDropDowns) {
  auto frame = MakeFrame();
  QStringList buttons;
  std::map<QString, QStringList> dropDowns;
  for (QToolButton* button : frame->navigationBar()->findChildren<QToolButton*>()) {
    if (!button->defaultAction()) continue;  // the bar's own extension button
    buttons << button->text() + "=" + QString::number(button->defaultAction()->data().toInt());
    EXPECT_GE(button->minimumWidth(), 50);
    EXPECT_LE(button->maximumWidth(), 150);
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    if (button->menu()) {
      EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
      QStringList items;
      for (QAction* item : button->menu()->actions())
        items << (item->isSeparator() ? QStringLiteral("-")
                                      : item->text() + "=" + QString::number(item->data().toInt()) +
                                            (item->isEnabled() ? "" : " (disabled)"));
      dropDowns[button->text()] = items;
    }
  }
  EXPECT_EQ(buttons, (QStringList{"Back=32782", "Forward=32781", "Index=32780", "Strip bmp's=32775", "Copy=32773",
                                  "Find=32776", "Delete=32777", "Properties=32778", "Fonts=32779"}));
  EXPECT_EQ(dropDowns["Back"], QStringList{"Go Back  10 Entries=32772 (disabled)"});
  EXPECT_EQ(dropDowns["Forward"], QStringList{"Go Forward 10 Entries=32772 (disabled)"});
  EXPECT_EQ(dropDowns["Copy"],
            (QStringList{"Copy single file=32802", "Copy reconstructing tree=32801", "-", "Copy files....=32817", "-",
                         "Set file attribute to sticky=4090", "Set whole address to sticky=5000"}));
  EXPECT_EQ(dropDowns["Find"],
            (QStringList{"Find file(s) in Cache=32805", "Find text in files=32806", "Find Text On All Disks=32810", "-",
                         "Check links: list passed=32803", "Check links: list dead=32804"}));
  EXPECT_EQ(dropDowns["Delete"],
            (QStringList{"Delete Cache Entry=32796", "Delete Cache Entries....=32816", "Delete History Entry=32783",
                         "Delete todays history entries=32784", "Delete all history entries=32785",
                         "Delete all inactive history entries=32793", "Delete all VC history entries=32794",
                         "Delete all local(file) entries=32795", "Delete All Cookie Entries=32797",
                         "Delete All Cookies=32798", "Delete Cache completely=32799 (disabled)"}));
  EXPECT_EQ(dropDowns["Fonts"], (QStringList{"&Largest Fonts=32786", "Lar&ger  Fonts=32792", "&Medium Fonts=32788",
                                             "&Smaller Fonts=32790", "Sm&allest Font=32791"}));
  EXPECT_EQ(dropDowns.size(), 6u);
}

TEST_F(FrameTest, StatusBarHasFivePanesAndAProgressBarMadeOnFirstNeed) {
  auto frame = MakeFrame();
  FrameStatusBar* status = frame->frameStatusBar();
  EXPECT_EQ(status->paneTexts(), (QStringList{"Ready", "", "CAP", "NUM", "HTTP"}));
  EXPECT_EQ(status->progressBar(), nullptr);
  frame->StepProgress();  // no bar yet: nothing to step

  frame->EnsureProgressBar();
  QProgressBar* bar = status->progressBar();
  ASSERT_NE(bar, nullptr);
  frame->EnsureProgressBar();
  EXPECT_EQ(status->progressBar(), bar);
  EXPECT_EQ(status->progressRequests(), 2);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 50);

  struct Step {
    int steps;
    int value;
  };
  const Step walk[] = {{1, 1}, {49, 50}, {1, 0}, {3, 3}};
  for (const Step& step : walk) {
    for (int i = 0; i < step.steps; ++i) frame->StepProgress();
    EXPECT_EQ(bar->value(), step.value);
  }
  frame->ResetProgress();
  EXPECT_EQ(bar->value(), 0);

  frame->SetStatusText("Wait! Sorting!");
  EXPECT_EQ(status->message(), "Wait! Sorting!");
}

TEST_F(FrameTest, WorkspaceHoldsTheThreeListsEachShowingItsCollapsedRoot) {
  auto frame = MakeFrame();
  QTabWidget* tabs = frame->workspaceTabs();
  const char* labels[] = {"AlphaSort", "AccessSort", "History"};
  const char* roots[] = {"Cached Url's", "Cached Url's", "History"};
  ASSERT_EQ(tabs->count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(tabs->tabText(i), labels[i]);
    EXPECT_FALSE(tabs->tabIcon(i).isNull()) << labels[i];
    auto* list = qobject_cast<cache::ListTabView*>(tabs->widget(i));
    ASSERT_NE(list, nullptr);
    const cache::TabTreeModel& model = list->Model();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(list->RootText(), roots[i]);
    EXPECT_TRUE(model.data(model.RootIndex(), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model.rowCount(model.RootIndex()), 1);
    EXPECT_FALSE(list->isExpanded(model.RootIndex()));
  }
}

TEST_F(FrameTest, FrameStandsOfflineWithTitleDocksAndAccessibleNames) {
  auto frame = MakeFrame();
  EXPECT_TRUE(store_->IsOffline());
  EXPECT_EQ(frame->windowTitle(), "Vantry");
  EXPECT_EQ(frame->centralWidget(), pane_);
  const std::pair<QDockWidget*, const char*> docks[] = {
      {frame->workspaceBar(), "Workspace"}, {frame->outputBar(), "Output"}, {frame->memoryBar(), "Memory"}};
  for (const auto& [dock, title] : docks) {
    EXPECT_EQ(dock->windowTitle(), title);
    EXPECT_FALSE(dock->objectName().isEmpty());
  }
  EXPECT_FALSE(frame->addressBox()->accessibleName().isEmpty());
  for (QLabel* label : frame->frameStatusBar()->findChildren<QLabel*>())
    EXPECT_FALSE(label->accessibleName().isEmpty()) << label->text().toStdString();
  auto* animation = frame->menuBar()->cornerWidget()->findChild<QMovie*>();
  ASSERT_NE(animation, nullptr);
  EXPECT_TRUE(animation->isValid());
  EXPECT_GT(animation->frameCount(), 1);
}

TEST_F(FrameTest, SetAddressShowsTheTextAndAppendsItDuplicatesIncluded) {
  auto frame = MakeFrame();
  QComboBox* box = frame->addressBox();
  for (const char* address : {"http://a/", "http://b/x.html", "http://a/"}) frame->SetAddress(address);
  QStringList list;
  for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
  EXPECT_EQ(list, (QStringList{"http://a/", "http://b/x.html", "http://a/"}));
  EXPECT_EQ(box->currentText(), "http://a/");

  frame->SetAddress("");
  EXPECT_EQ(box->currentText(), "");
  EXPECT_EQ(box->count(), 3);
  frame->SetAddress("http://h/caf\xe9");  // not UTF-8: shown as Latin-1
  EXPECT_EQ(box->currentText(), QString::fromUtf8("http://h/caf\xc3\xa9"));
}

}  // namespace

}  // namespace vantry::app

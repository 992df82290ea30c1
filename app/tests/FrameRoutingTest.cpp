// Where each command goes, and the frame's own commands.
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/FrameStatusBar.h"
#include "app/tests/FrameTestSupport.h"
#include "dates/DateFormatPreference.h"
#include "ops/SettingKeys.h"
#include "ops/dialogs/PreferencesDialog.h"

namespace vantry::app {

namespace {

using enum CommandId;

TEST_F(FrameTest, PaneCommandsReachThePane) {
  struct Route {
    CommandId id;
    const char* call;
  };
  const Route routes[] = {
      {Back, "GoBack"},
      {Forward, "GoForward"},
      {LargestFonts, "SetFontSize 4"},
      {LargerFonts, "SetFontSize 3"},
      {MediumFonts, "SetFontSize 2"},
      {SmallerFonts, "SetFontSize 1"},
      {SmallestFonts, "SetFontSize 0"},
      {Open, "OpenFile"},
      {Copy, "Copy"},
      {Cut, "Cut"},
      {Paste, "Paste"},
      {SelectAll, "SelectAll"},
      {FindTextOnAllDisks, "FindInPage"},
      {SaveRawAs, "SaveRawAs"},
      {Print, "Print"},
      {PrintSetup, "Print"},
      {Index, "ShowAddress /work/indexfil.htm"},
      {Help, "ShowAddress qrc:/vantry/help.html"},
  };
  auto frame = MakeFrame();
  for (const Route& route : routes) {
    pane_->calls.clear();
    frame->action(route.id)->trigger();
    EXPECT_EQ(pane_->calls, std::vector<std::string>{route.call}) << int(route.id);
  }
}

// The address box names the page on show: the index page's path, nothing for the help.
TEST_F(FrameTest, IndexAndHelpPutTheirOwnAddressIntoTheAddressBox) {
  auto frame = MakeFrame();
  frame->SetAddress("http://h/last.html");
  frame->action(Index)->trigger();
  EXPECT_EQ(frame->addressBox()->currentText(), "/work/indexfil.htm");
  frame->action(Help)->trigger();
  EXPECT_EQ(frame->addressBox()->currentText(), "");
}

// Page scripts are off until the user turns them on; the choice outlives the frame.
TEST_F(FrameTest, PageScriptsAreOffByDefaultAndTheChoiceIsRemembered) {
  {
    auto frame = MakeFrame();
    EXPECT_FALSE(pane_->scripts);
    EXPECT_FALSE(frame->action(PageScripts)->isChecked());
    frame->action(PageScripts)->trigger();
    EXPECT_TRUE(pane_->scripts);
    EXPECT_TRUE(frame->action(PageScripts)->isChecked());
    EXPECT_EQ(ops::Read(settings_.application(), ops::kPageScripts), 1);
  }
  {
    auto frame = MakeFrame();
    EXPECT_TRUE(pane_->scripts);
    EXPECT_TRUE(frame->action(PageScripts)->isChecked());
    frame->action(PageScripts)->trigger();
    EXPECT_FALSE(pane_->scripts);
    EXPECT_EQ(ops::Read(settings_.application(), ops::kPageScripts), 0);
  }
}

TEST_F(FrameTest, OperationCommandsGoToTheHandlerGivenForThem) {
  const CommandId operations[] = {Save,
                                  SaveAs,
                                  CopySingleFile,
                                  CopyReconstructingTree,
                                  CopyFiles,
                                  StickyFile,
                                  StickyAddress,
                                  FindFilesInCache,
                                  FindTextInFiles,
                                  DeleteCacheEntry,
                                  DeleteCacheEntries,
                                  DeleteHistoryEntry,
                                  DeleteTodaysHistory,
                                  DeleteAllHistory,
                                  DeleteInactiveHistory,
                                  DeleteVcHistory,
                                  DeleteLocalEntries,
                                  DeleteAllCookieEntries,
                                  DeleteAllCookies,
                                  New};
  auto frame = MakeFrame();
  for (CommandId id : operations) frame->action(id)->trigger();  // no handler yet: nothing happens
  std::vector<CommandId> handled;
  for (CommandId id : operations) frame->SetCommandHandler(id, [&handled, id] { handled.push_back(id); });
  for (CommandId id : operations) {
    EXPECT_TRUE(frame->action(id)->isEnabled()) << int(id);
    frame->action(id)->trigger();
  }
  EXPECT_EQ(handled, std::vector<CommandId>(std::begin(operations), std::end(operations)));
  EXPECT_TRUE(pane_->calls.empty());
}

TEST_F(FrameTest, AcceptedCommandsWithoutWorkDoNothingAndTheTwoWithoutHandlerAreDisabled) {
  auto frame = MakeFrame();
  for (CommandId id : {CopyButton, FindButton, DeleteButton, FontsButton, Undo}) {
    EXPECT_TRUE(frame->action(id)->isEnabled());
    frame->action(id)->trigger();
  }
  EXPECT_TRUE(pane_->calls.empty());
  EXPECT_EQ(frame->frameStatusBar()->message(), "Ready");
  EXPECT_FALSE(frame->action(GoTenEntries)->isEnabled());
  EXPECT_FALSE(frame->action(DeleteCacheCompletely)->isEnabled());
}

TEST_F(FrameTest, StripAlternatesTheViewModeAndShowsTheCurrentEntryAgain) {
  auto frame = MakeFrame();
  frame->ShowCurrentEntry({"http://h/a.html", "/store/content/a.html"});
  EXPECT_EQ(frame->frameStatusBar()->viewMode(), "HTTP");
  const char* modes[] = {"LOKAL", "HTTP", "LOKAL"};
  const char* shown[] = {"ShowEntry http://h/a.html local", "ShowEntry http://h/a.html address",
                         "ShowEntry http://h/a.html local"};
  for (int press = 0; press < 3; ++press) {
    pane_->calls.clear();
    frame->action(Strip)->trigger();
    EXPECT_EQ(frame->frameStatusBar()->viewMode(), modes[press]);
    EXPECT_EQ(pane_->calls, std::vector<std::string>{shown[press]});
  }
}

TEST_F(FrameTest, SortTogglesChangeOnlyTheirOwnCheckedState) {
  auto frame = MakeFrame();
  const CommandId toggles[] = {AlphaSortToggle, AccessSortToggle, HistoryToggle};
  for (CommandId pressed : toggles) {
    frame->action(pressed)->trigger();
    for (CommandId other : toggles) EXPECT_EQ(frame->action(other)->isChecked(), other == pressed);
    frame->action(pressed)->trigger();
  }
  for (CommandId toggle : toggles) EXPECT_FALSE(frame->action(toggle)->isChecked());
  EXPECT_FALSE(frame->flatLook());
  EXPECT_TRUE(pane_->calls.empty());
}

TEST_F(FrameTest, DoNotAskTogglesThePanesQuietFlagAndShowsIt) {
  auto frame = MakeFrame();
  EXPECT_TRUE(frame->action(DoNotAsk)->isChecked());
  frame->action(DoNotAsk)->trigger();
  EXPECT_FALSE(pane_->quiet);
  EXPECT_FALSE(frame->action(DoNotAsk)->isChecked());
  frame->action(DoNotAsk)->trigger();
  EXPECT_TRUE(pane_->quiet);
  EXPECT_TRUE(frame->action(DoNotAsk)->isChecked());
}

TEST_F(FrameTest, FlatLookTogglesAndMakesSureTheProgressBarExists) {
  auto frame = MakeFrame();
  frame->action(FlatLook)->trigger();
  EXPECT_TRUE(frame->flatLook());
  EXPECT_TRUE(frame->action(FlatLook)->isChecked());
  EXPECT_NE(frame->frameStatusBar()->progressBar(), nullptr);
  EXPECT_TRUE(frame->workspaceTabs()->documentMode());
  EXPECT_EQ(qobject_cast<QFrame*>(frame->workspaceTabs()->widget(0))->frameShape(), QFrame::NoFrame);
  frame->action(FlatLook)->trigger();
  EXPECT_FALSE(frame->flatLook());
  EXPECT_FALSE(frame->action(FlatLook)->isChecked());
  EXPECT_FALSE(frame->workspaceTabs()->documentMode());
  EXPECT_EQ(qobject_cast<QFrame*>(frame->workspaceTabs()->widget(0))->frameShape(), QFrame::StyledPanel);
}

TEST_F(FrameTest, ViewCommandsHideAndShowTheirBarWithTheItemCheckedWhileVisible) {
  auto frame = MakeFrame();
  frame->show();
  const std::pair<CommandId, QWidget*> bars[] = {
      {ToolBar, frame->mainToolBar()}, {NavigationBar, frame->navigationBar()},
      {StatusBar, frame->statusBar()}, {Workspace, frame->workspaceBar()},
      {Output, frame->outputBar()},    {Memory, frame->memoryBar()}};
  for (const auto& [id, bar] : bars) {
    QAction* item = frame->action(id);
    EXPECT_TRUE(item->isChecked()) << int(id);
    item->trigger();
    EXPECT_TRUE(bar->isHidden()) << int(id);
    EXPECT_FALSE(item->isChecked()) << int(id);
    item->trigger();
    EXPECT_FALSE(bar->isHidden()) << int(id);
    EXPECT_TRUE(item->isChecked()) << int(id);
  }
}

TEST_F(FrameTest, PropertiesShowsTheHintUntilAWalkWasPublishedThenItsFigures) {
  auto frame = MakeFrame();
  ModalSeen hint = RunModal([&] { frame->action(Properties)->trigger(); });
  EXPECT_EQ(hint.title, "Properties");
  EXPECT_EQ(hint.text, "You must first expand the cached Url's before Properties is valid");

  cache::CacheStatistics statistics;
  statistics[cache::CacheStatistics::kTotal] = 3;
  statistics[cache::CacheStatistics::kUrl] = 3;
  statistics[cache::CacheStatistics::kHttp] = 3;
  statistics[cache::CacheStatistics::kGif] = 1;
  statistics.bytes = 9097;
  statistics.bytesOnDisk = 16384;
  frame->PublishStatistics(statistics);
  EXPECT_EQ(frame->PublishedStatistics(), statistics);
  ModalSeen figures = RunModal([&] { frame->action(Properties)->trigger(); });
  EXPECT_EQ(figures.title, "Properties");
  EXPECT_EQ(figures.text,
            "Total Cache Entries: 3\nCache Entries URL: 3\nCache Entries Cookie: 0\nCache Entries History: 0 \n"
            "Cache Entries FTP: 0 \nCache Entries HTTP: 3 \nCache Entries Gif: 1 \nCache Entries JPEG: 0 \n"
            "Cache Entries png: 0 \nCache Entries Au: 0 \nCache Entries AIFF: 0 \nCache Entries XBM: 0 \n"
            "Cache Entries ActiveX: 0 \nCache Entries Javascript: 0 \nCache Entries Java: 0 \n"
            "Cache Entries Style Sheet: 0 \nCache Entries html: 0 \n"
            "Cache uses : 0.009 MBytes actually 0.016 MBytes");
}

// The text the platform gives a dialog's Cancel button.
QString PlatformCancelText() {
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  return box.button(QDialogButtonBox::Cancel)->text();
}

// Clicks the radio button with `text` (if any) and then the button with `button`.
std::function<void(QWidget*)> Answer(const QString& radio, const QString& button, QString* checked) {
  return [=](QWidget* dialog) {
    for (QRadioButton* choice : dialog->findChildren<QRadioButton*>()) {
      if (choice->isChecked()) *checked = choice->text();
      if (choice->text() == radio) choice->click();
    }
    for (QPushButton* push : dialog->findChildren<QPushButton*>())
      if (push->text() == button) push->click();
  };
}

TEST_F(FrameTest, PreferencesProposesDdmmyyFirstAndStoresOnlyOnOk) {
  auto frame = MakeFrame();
  QString checked;
  ModalSeen cancelled = RunModal([&] { frame->action(Preferences)->trigger(); },
                                 Answer("Set Date Format to MMDDYYYY", PlatformCancelText(), &checked));
  EXPECT_EQ(cancelled.title, "Set Preferences");
  EXPECT_EQ(checked, "Set Date Format to DDMMYY");
  EXPECT_EQ(ops::Read(settings_.application(), ops::kDateFormat), 0);  // nothing stored: dates keep format 0

  RunModal([&] { frame->action(Preferences)->trigger(); }, Answer("", "OK", &checked));
  EXPECT_EQ(ops::Read(settings_.application(), ops::kDateFormat), 1);
  EXPECT_EQ(dates::DateFormatPreference(), 1);

  RunModal([&] { frame->action(Preferences)->trigger(); }, Answer("Set Date Format to DDMMYYYY", "OK", &checked));
  EXPECT_EQ(ops::Read(settings_.application(), ops::kDateFormat), 3);
  EXPECT_EQ(dates::DateFormatPreference(), 3);  // the dates parse with the new format at once
}

TEST_F(FrameTest, PreferencesNeverStoresAValueThatNamesNoFormat) {
  ops::Write(settings_.application(), ops::kDateFormat, 7);
  auto frame = MakeFrame();
  EXPECT_EQ(dates::DateFormatPreference(), 0);
  QString checked;
  RunModal([&] { frame->action(Preferences)->trigger(); }, Answer("", "OK", &checked));
  EXPECT_TRUE(checked.isEmpty());
  EXPECT_EQ(ops::Read(settings_.application(), ops::kDateFormatShownByPreferences), 7);
}

TEST_F(FrameTest, TheStoredDateFormatIsTheDatesFormatFromTheStart) {
  ops::Write(settings_.application(), ops::kDateFormat, 2);
  auto frame = MakeFrame();
  EXPECT_EQ(dates::DateFormatPreference(), 2);
  ops::Write(settings_.application(), ops::kDateFormat, 0);
  frame = MakeFrame();
  EXPECT_EQ(dates::DateFormatPreference(), 0);
}

TEST_F(FrameTest, AboutBoxCarriesAClickableMailLink) {
  auto frame = MakeFrame();
  QString link;
  bool opensLinks = false;
  ModalSeen about = RunModal([&] { frame->action(About)->trigger(); },
                             [&](QWidget* dialog) {
                               for (QLabel* label : dialog->findChildren<QLabel*>())
                                 if (label->text().contains("mailto:")) {
                                   link = label->text();
                                   opensLinks = label->openExternalLinks();
                                 }
                               QMetaObject::invokeMethod(dialog, "accept");
                             });
  EXPECT_EQ(about.title, "About Vantry");
  EXPECT_TRUE(link.contains("mailto:vantry@orlenvik.org"));
  EXPECT_TRUE(opensLinks);
}

TEST_F(FrameTest, HelpPageExplainsEveryCommandOfTheMenusAndBars) {
  QFile help(":/vantry/help.html");
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(help.readAll());
  for (const ActionDefinition& definition : ActionDefinitions()) {
    if (definition.id == GoTenEntries || definition.id == NextPane || definition.id == PreviousPane) continue;
    QString name = QString::fromUtf8(definition.text).section('\t', 0, 0).remove('&').simplified();
    EXPECT_TRUE(page.contains(name, Qt::CaseInsensitive)) << name.toStdString();
  }
}

TEST_F(FrameTest, TheEndOfAnAddressEditGoesToItsHandler) {
  auto frame = MakeFrame();
  std::vector<std::string> edits;
  frame->SetAddressEditHandler([&edits](const std::string& text) { edits.push_back(text); });
  frame->addressBox()->lineEdit()->setText("*.gif");
  emit frame->addressBox()->lineEdit()->editingFinished();
  EXPECT_EQ(edits, std::vector<std::string>{"*.gif"});
  EXPECT_EQ(frame->addressBox()->count(), 0);
}

TEST_F(FrameTest, ShowingAnEntryMakesItCurrentAndShowsItByAddress) {
  auto frame = MakeFrame();
  frame->ShowCurrentEntry({"http://h/b.html", "/c/b.html"});
  EXPECT_EQ(frame->currentEntry().address, "http://h/b.html");
  EXPECT_EQ(pane_->calls, std::vector<std::string>{"ShowEntry http://h/b.html address"});
}

}  // namespace

}  // namespace vantry::app

// Command routing of the main frame: every action goes by its id to one handler.
#include <QApplication>
#include <QDockWidget>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/AboutDialog.h"
#include "app/AppSettings.h"
#include "app/CMainFrame.h"
#include "app/FrameStatusBar.h"
#include "cache/store/StatisticsText.h"
#include "ops/SettingKeys.h"
#include "ops/dialogs/PreferencesDialog.h"
#include "qtutil/ByteText.h"

namespace vantry::app {

namespace {

using enum CommandId;

// Shows or hides a bar and lets its menu item tell the truth afterwards.
void ToggleBar(QWidget* bar, QAction* item) {
  bar->setVisible(bar->isHidden());
  item->setChecked(!bar->isHidden());
}

}  // namespace

void CMainFrame::RouteCommands() {
  for (const auto& [id, action] : actions_.all())
    connect(action, &QAction::triggered, this, [this, id = id] { Dispatch(id); });

  archive::HtmlPane& pane = parts_.pane;
  const std::pair<CommandId, CommandHandler> handlers[] = {
      {Open, [&pane] { pane.OpenFile(); }},
      {SaveRawAs, [&pane] { pane.SaveRawAs(); }},
      {Preferences, [this] { ShowPreferences(); }},
      {Print, [&pane] { pane.Print(); }},
      {PrintSetup, [&pane] { pane.Print(); }},
      {Exit, [this] { close(); }},
      {Copy, [&pane] { pane.Copy(); }},
      {Cut, [&pane] { pane.Cut(); }},
      {Paste, [&pane] { pane.Paste(); }},
      {SelectAll, [&pane] { pane.SelectAll(); }},
      {ToolBar, [this] { ToggleBar(mainToolBar_, actions_[ToolBar]); }},
      {NavigationBar, [this] { ToggleBar(navigationBar_, actions_[NavigationBar]); }},
      {StatusBar, [this] { ToggleBar(statusBar(), actions_[StatusBar]); }},
      {Workspace, [this] { ToggleBar(workspace_, actions_[Workspace]); }},
      {Output, [this] { ToggleBar(output_, actions_[Output]); }},
      {Memory, [this] { ToggleBar(memory_, actions_[Memory]); }},
      {DoNotAsk, [this, &pane] { actions_[DoNotAsk]->setChecked(pane.ToggleQuiet()); }},
      // The choice is kept in the settings for the next start.
      {PageScripts,
       [this] {
         const bool enabled = !parts_.pane.ScriptsEnabled();
         ApplyPageScripts(enabled);
         ops::Write(parts_.settings.application(), ops::kPageScripts, enabled ? 1 : 0);
       }},
      // The address box shows no cache address while the program's own pages are on show.
      {Help,
       [this, &pane] {
         SetAddress("");
         pane.ShowAddress("qrc:/vantry/help.html");
       }},
      {About, [this] { ShowAbout(); }},
      {FlatLook,
       [this] {
         flatLook_ = !flatLook_;
         actions_[FlatLook]->setChecked(flatLook_);
         ApplyFlatLook();
         EnsureProgressBar();
       }},
      {Back, [&pane] { pane.GoBack(); }},
      {Forward, [&pane] { pane.GoForward(); }},
      {Index,
       [this, &pane] {
         SetAddress(parts_.archivePaths.index);
         pane.ShowAddress(parts_.archivePaths.index);
       }},
      {Strip, [this] { ToggleLocalView(); }},
      {Properties, [this] { ShowProperties(); }},
      // The pane finds in its page; this command has no other work of its own.
      {FindTextOnAllDisks, [&pane] { pane.FindInPage(); }},
      {LargestFonts, [&pane] { pane.SetFontSize(archive::FontSize::Largest); }},
      {LargerFonts, [&pane] { pane.SetFontSize(archive::FontSize::Larger); }},
      {MediumFonts, [&pane] { pane.SetFontSize(archive::FontSize::Medium); }},
      {SmallerFonts, [&pane] { pane.SetFontSize(archive::FontSize::Smaller); }},
      {SmallestFonts, [&pane] { pane.SetFontSize(archive::FontSize::Smallest); }},
      {NextPane, [this] { MoveFocusToPane(+1); }},
      {PreviousPane, [this] { MoveFocusToPane(-1); }},
  };
  for (const auto& [id, handler] : handlers) handlers_[id] = handler;

  // No work of their own: GoTenEntries and DeleteCacheCompletely stay disabled.
  actions_[GoTenEntries]->setEnabled(false);
  actions_[DeleteCacheCompletely]->setEnabled(false);
  actions_[DoNotAsk]->setChecked(pane.IsQuiet());
  ApplyPageScripts(ops::Read(parts_.settings.application(), ops::kPageScripts) != 0);
}

// Commands without a handler (Undo, the bodies of the drop-down buttons, and the operations
// not yet given their work) are accepted and do nothing.
void CMainFrame::Dispatch(CommandId id) {
  auto handler = handlers_.find(id);
  if (handler != handlers_.end() && handler->second) handler->second();
}

void CMainFrame::ToggleLocalView() {
  localView_ = !localView_;
  ShowEntryInPane();
  status_->SetLocalView(localView_);
}

void CMainFrame::ApplyPageScripts(bool enabled) {
  if (enabled != parts_.pane.ScriptsEnabled()) parts_.pane.SetScriptsEnabled(enabled);
  actions_[PageScripts]->setChecked(enabled);
}

void CMainFrame::ShowProperties() {
  QMessageBox::information(this, QStringLiteral("Properties"),
                           qtutil::QStringFromBytes(cache::PropertiesText(statistics_)));
}

void CMainFrame::ShowPreferences() {
  ops::PreferencesDialog dialog(ops::Read(parts_.settings.application(), ops::kDateFormatShownByPreferences), this);
  if (dialog.exec() == QDialog::Accepted && ops::IsDateFormat(dialog.selectedFormat())) {
    ops::Write(parts_.settings.application(), ops::kDateFormat, dialog.selectedFormat());
    parts_.settings.ApplyDateFormat();
  }
}

void CMainFrame::ShowAbout() {
  AboutDialog dialog(this);
  dialog.exec();
}

// F6 and Shift+F6 walk the visible areas: the lists, the page, the output and the memory.
void CMainFrame::MoveFocusToPane(int direction) {
  QList<QWidget*> areas;
  if (!workspace_->isHidden()) areas << tabs_->currentWidget();
  areas << centralWidget();
  if (!output_->isHidden()) areas << output_->widget();
  if (!memory_->isHidden()) areas << memory_->widget();
  int current = -1;
  for (int i = 0; i < areas.size(); ++i)
    if (areas[i] && (areas[i] == focusWidget() || areas[i]->isAncestorOf(focusWidget()))) current = i;
  const int count = static_cast<int>(areas.size());
  const int next = current < 0 ? (direction > 0 ? 0 : count - 1) : (current + direction + count) % count;
  if (areas[next]) areas[next]->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace vantry::app

#include "app/CMainFrame.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>

#include "app/AppSettings.h"
#include "app/FramePanes.h"
#include "app/FrameStatusBar.h"
#include "app/WorkProgressDialog.h"
#include "archive/pane/EntryPage.h"
#include "cache/lists/AddressRequest.h"
#include "cache/store/CacheAccess.h"
#include "qtutil/ByteText.h"

namespace vantry::app {

CMainFrame::CMainFrame(FrameParts parts, QWidget* parent)
    : QMainWindow(parent),
      parts_(std::move(parts)),
      panes_(std::make_unique<FramePanes>(parts_.store, *this, parts_.pane, prompt_,
                                          [this](const cache::CurrentEntry& entry) { ShowCurrentEntry(entry); })),
      actions_(this) {
  // The pane shows cached copies only.
  cache::GoOffline(parts_.store);
  parts_.settings.ApplyDateFormat();
  // The address box's text is the alphabetical list's request.
  addressEdited_ = [this](const std::string& text) { cache::ParseAddressRequest(text, request_); };
  setObjectName(QStringLiteral("MainFrame"));
  setWindowTitle(QStringLiteral("Vantry"));
  setCentralWidget(parts_.paneWidget);
  BuildMainToolBar();
  BuildNavigationBar();
  BuildMenus();
  BuildAddressBar();
  BuildAnimation();
  status_ = new FrameStatusBar(this);
  setStatusBar(status_);
  BuildDocks();
  RouteCommands();
  RestoreLayout();
}

CMainFrame::~CMainFrame() = default;

cache::EntryPanes& CMainFrame::entryPanes() const { return *panes_; }

void CMainFrame::SetStatusText(std::string_view text) { status_->SetMessage(qtutil::QStringFromBytes(text)); }
void CMainFrame::EnsureProgressBar() { status_->EnsureProgressBar(); }
void CMainFrame::StepProgress() { status_->StepProgress(); }
void CMainFrame::ResetProgress() { status_->ResetProgress(); }

std::unique_ptr<cache::WorkProgress> CMainFrame::BeginWork(std::string_view what) {
  if (runningWorks_++ == 0) PlayAnimation(true);
  return std::make_unique<WorkProgressDialog>(this, qtutil::QStringFromBytes(what), [this] {
    if (--runningWorks_ == 0) PlayAnimation(false);
  });
}

void CMainFrame::SetAddress(std::string_view text) {
  const QString address = qtutil::QStringFromBytes(text);
  address_->setEditText(address);
  // The list keeps every address shown in this run, in order; clearing adds nothing.
  if (!address.isEmpty()) address_->addItem(address);
}

void CMainFrame::ShowCurrentEntry(const cache::CurrentEntry& entry) {
  currentEntry_ = entry;
  ShowEntryInPane();
}

// Cookie and history entries show the page they belong to, or a blank pane.
void CMainFrame::ShowEntryInPane() {
  parts_.pane.ShowEntry(archive::PageOfEntry(parts_.store, currentEntry_), localView_);
}

void CMainFrame::SetCommandHandler(CommandId id, CommandHandler handler) { handlers_[id] = std::move(handler); }

void CMainFrame::SetAddressEditHandler(std::function<void(const std::string&)> handler) {
  addressEdited_ = std::move(handler);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  parts_.settings.SetBarState(saveState());
  QMainWindow::closeEvent(event);
}

}  // namespace vantry::app

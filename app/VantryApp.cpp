#include "app/VantryApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "app/AppSettings.h"
#include "app/BrowserImportCommand.h"
#include "app/CMainFrame.h"
#include "app/CacheCommandWiring.h"
#include "app/StartupArchive.h"
#include "archive/pane/widgets/CVantryDoc.h"
#include "archive/pane/widgets/CVantryView.h"
#include "archive/pane/widgets/OfflineEngine.h"
#include "cache/store/UrlCacheStore.h"
#include "cache/widgets/CTabClassView.h"
#include "cache/widgets/CTabResourceView.h"
#include "inspect/history/widgets/CTabFileView.h"
#include "inspect/widgets/COutputBar.h"
#include "ops/ImportOffer.h"

namespace vantry::app {

namespace {

void ImportFromBrowser(CMainFrame& frame, ImportAsked asked) {
  RunBrowserImport({&frame, frame.store(), frame.prompt(),
                    [&frame] {
                      frame.alphaSortView()->ResetList();
                      frame.accessSortView()->ResetList();
                      frame.historyView()->ResetList();
                    }},
                   import::HomeFolders::FromEnvironment(), asked);
}

}  // namespace

std::unique_ptr<VantrySession> VantrySession::Open(std::string& error) {
  cache::StoreOpenResult opened = cache::OpenUrlCacheStore(cache::DefaultStoreFolder());
  if (!opened.store) {
    error = opened.error;
    return nullptr;
  }
  std::unique_ptr<VantrySession> session(new VantrySession);
  session->settings_ = std::make_unique<AppSettings>();
  session->store_ = std::move(opened.store);
  // The archive paths are fixed now; a later change of directory does not move them.
  ops::MessageBoxPrompt prompt(nullptr);
  session->paths_ = PrepareArchiveAtStartup(std::filesystem::current_path(), prompt);

  session->profile_ = std::make_unique<archive::OfflineProfile>(*session->store_);
  session->document_ = std::make_unique<archive::CVantryDoc>();
  session->view_ = new archive::CVantryView(*session->document_, session->profile_->profile());
  session->frame_ = std::make_unique<CMainFrame>(
      FrameParts{*session->store_, *session->settings_, *session->view_, session->view_, session->paths_});
  CMainFrame& frame = *session->frame_;
  archive::CVantryDoc& document = *session->document_;
  frame.SetCommandHandler(CommandId::New, [&document] { document.OnNewDocument(); });
  frame.SetCommandHandler(CommandId::ImportFromBrowser, [&frame] { ImportFromBrowser(frame, ImportAsked::FromMenu); });
  session->commands_ = WireCacheCommands(
      frame, CacheCommandInputs{
                 frame.store(), frame.services(), frame.entryPanes(), frame.searchRequest(), frame.showMask(),
                 frame.currentEntry(), [&frame] { frame.alphaSortView()->ResetList(); },
                 [&frame] { frame.accessSortView()->ResetList(); }, [&frame] { frame.historyView()->ResetList(); },
                 [&frame] { frame.alphaSortView()->ExpandForFind(); },
                 [&frame](std::vector<std::string> lines) { frame.outputView()->ShowFindResults(lines); },
                 [&frame](std::vector<std::string> lines) { frame.outputView()->ShowStatistics(lines); },
                 session->paths_, session->settings_->application(), session->settings_->profile(), &frame});
  return session;
}

VantrySession::~VantrySession() = default;

int RunVantry(QApplication& app) {
  std::string error;
  std::unique_ptr<VantrySession> session = VantrySession::Open(error);
  if (!session) {
    QMessageBox::critical(nullptr, QStringLiteral("Vantry"), QString::fromStdString(error));
    return 1;
  }
  CMainFrame& frame = session->frame();
  // The normal size fills the screen too, for desktops that do not maximize on request.
  frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  frame.showMaximized();
  session->document().OnNewDocument();
  if (ops::TakeImportOfferAtStart(session->store(), session->settings().application()))
    QTimer::singleShot(0, &frame, [&frame] { ImportFromBrowser(frame, ImportAsked::AtFirstStart); });
  return app.exec();
}

}  // namespace vantry::app

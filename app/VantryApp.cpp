#include "VantryApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "AppSettings.h"
#include "cache/widgets/CTabClassView.h"
#include "inspect/history/widgets/CTabFileView.h"
#include "cache/widgets/CTabResourceView.h"
#include "COutputBar.h"
#include "CacheCommandWiring.h"
#include "CMainFrame.h"
#include "CVantryDoc.h"
#include "CVantryView.h"
#include "OfflineEngine.h"
#include "StartupArchive.h"
#include "UrlCacheStore.h"

int RunVantry(QApplication& app) {
  AppSettings settings;
  StoreOpenResult opened = OpenUrlCacheStore(DefaultStoreFolder());
  if (!opened.store) {
    QMessageBox::critical(nullptr, QStringLiteral("Vantry"), QString::fromStdString(opened.error));
    return 1;
  }
  // The archive paths are fixed now; a later change of directory does not move them.
  vantry::MessageBoxPrompt prompt(nullptr);
  const vantry::archive::ArchivePaths paths = PrepareArchiveAtStartup(std::filesystem::current_path(), prompt);

  OfflineProfile profile(*opened.store);
  CVantryDoc document;
  auto* view = new CVantryView(document, profile.profile());
  CMainFrame frame({*opened.store, settings, *view, view, paths});
  frame.SetCommandHandler(CommandId::New, [&document] { document.OnNewDocument(); });
  std::unique_ptr<WiredCacheCommands> commands = WireCacheCommands(frame, CacheCommandInputs{
      frame.store(), frame.services(), frame.entryPanes(), frame.searchRequest(), frame.showMask(),
      frame.currentEntry(),
      [&frame] { frame.alphaSortView()->ResetList(); },
      [&frame] { frame.accessSortView()->ResetList(); },
      [&frame] { frame.historyView()->ResetList(); },
      [&frame] { frame.alphaSortView()->ExpandForFind(); },
      [&frame](std::vector<std::string> lines) { frame.outputView()->ShowFindResults(lines); },
      [&frame](std::vector<std::string> lines) { frame.outputView()->ShowStatistics(lines); },
      paths, settings.applicationFile().toStdString(), settings.profileFile().toStdString(), &frame});

  // The normal size fills the screen too, for desktops that do not maximize on request.
  frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  frame.showMaximized();
  document.OnNewDocument();
  return app.exec();
}

#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMessageBox>

#include "app/DesktopFolder.h"
#include "app/StartOptions.h"
#include "app/ThemeIcons.h"
#include "app/VantryApp.h"
#include "archive/pane/PaneState.h"
#include "archive/pane/widgets/OfflineEngine.h"

namespace {

// Started from the desktop the program works in ~/Vantry, never in whatever folder the
// desktop happens to start it in.
bool EnterDesktopFolder() {
  const std::string_view resource = vantry::archive::kBuiltInStartPage.substr(3);  // ":/..." after "qrc"
  QFile startPage(QString::fromLatin1(resource.data(), static_cast<qsizetype>(resource.size())));
  startPage.open(QIODevice::ReadOnly);
  const QByteArray page = startPage.readAll();
  const auto folder = vantry::app::PrepareDesktopFolder(QDir::homePath().toStdString(),
                                                        std::string_view(page.constData(), page.size()));
  std::error_code error;
  if (folder) std::filesystem::current_path(*folder, error);
  return folder && !error;
}

}  // namespace

int main(int argc, char** argv) {
  const vantry::app::StartOptions options = vantry::app::ParseStartOptions(argc, argv);
  // These two answer on a console without a display.
  if (options.action == vantry::app::StartOptions::Action::Help) {
    std::fputs(vantry::app::UsageText().c_str(), stdout);
    return 0;
  }
  if (options.action == vantry::app::StartOptions::Action::Version) {
    std::puts("vantry " VANTRY_VERSION);
    return 0;
  }
  vantry::archive::PrepareOfflineEngine();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantry"));
  QApplication::setOrganizationName(QStringLiteral("Orlenvik"));
  QApplication::setApplicationVersion(QStringLiteral(VANTRY_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("vantry"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantry/vantry.svg")));
  vantry::app::PrepareIconTheme();
  if (options.desktop && !EnterDesktopFolder()) {
    QMessageBox::critical(nullptr, QStringLiteral("Vantry"),
                          QStringLiteral("Cannot make the folder %1").arg(QDir::home().filePath("Vantry")));
    return 1;
  }
  return vantry::app::RunVantry(app);
}

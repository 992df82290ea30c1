#include <QApplication>
#include <QIcon>

#include "app/ThemeIcons.h"
#include "app/VantryApp.h"
#include "archive/pane/widgets/OfflineEngine.h"

int main(int argc, char** argv) {
  vantry::archive::PrepareOfflineEngine();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantry"));
  QApplication::setOrganizationName(QStringLiteral("Orlenvik"));
  QApplication::setApplicationVersion(QStringLiteral(VANTRY_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("vantry"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantry/vantry.svg")));
  vantry::app::PrepareIconTheme();
  return vantry::app::RunVantry(app);
}

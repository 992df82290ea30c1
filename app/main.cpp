#include <QApplication>
#include <QIcon>

#include "OfflineEngine.h"
#include "ThemeIcons.h"
#include "VantryApp.h"

int main(int argc, char** argv) {
  PrepareOfflineEngine();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantry"));
  QApplication::setOrganizationName(QStringLiteral("Orlenvik"));
  QApplication::setApplicationVersion(QStringLiteral(VANTRY_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("vantry"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantry/vantry.svg")));
  PrepareIconTheme();
  return RunVantry(app);
}

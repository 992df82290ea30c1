#include "app/ThemeIcons.h"

#include <QFile>
#include <QStandardPaths>

namespace vantry::app {

void PrepareIconTheme() {
  // Some platforms (offscreen, minimal) look only in the resources: add the system folders.
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                         QStandardPaths::LocateDirectory))
    if (!paths.contains(folder)) paths << folder;
  QIcon::setThemeSearchPaths(paths);
  const QString adwaita = QStringLiteral("Adwaita");
  // Without a desktop session there is no theme, or only the bare "hicolor" one.
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) QIcon::setThemeName(adwaita);
  QIcon::setFallbackThemeName(adwaita);
}

QIcon ThemeIcon(const char* name, IconLook look) {
  const QString themed = QString::fromLatin1(name);
  const QString symbolic = themed + QLatin1String("-symbolic");
  // The symbolic variant first on toolbars: themes that have it keep one look across them.
  const QStringList candidates =
      look == IconLook::Symbolic ? QStringList{symbolic, themed} : QStringList{themed, symbolic};
  for (const QString& candidate : candidates)
    if (QIcon::hasThemeIcon(candidate)) return QIcon::fromTheme(candidate);
  const QString bundled = QStringLiteral(":/vantry/icons/%1.svg").arg(themed);
  return QFile::exists(bundled) ? QIcon(bundled) : QIcon();
}

}  // namespace vantry::app

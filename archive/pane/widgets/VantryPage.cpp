#include "archive/pane/widgets/VantryPage.h"

#include <QTimer>

#include "archive/pane/OfflineAddress.h"

namespace vantry::archive {

QUrl PaneUrlFor(const QString& target) {
  if (target.startsWith(QLatin1Char('/'))) return QUrl::fromLocalFile(target);
  QUrl url = QUrl::fromUserInput(target);
  if (auto offline = OfflineAddressFor(url.toEncoded().toStdString()))
    return QUrl::fromEncoded(QByteArray::fromStdString(*offline));
  return url;
}

VantryPage::VantryPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

bool VantryPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  // Frames inside the page are redirected by the profile's interceptor.
  if (isMainFrame && FateOfRequest(url.scheme().toStdString()) == RequestFate::Redirect) {
    const QUrl offline = PaneUrlFor(url.toString(QUrl::FullyEncoded));
    QTimer::singleShot(0, this, [this, offline] { setUrl(offline); });
    return false;
  }
  return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void VantryPage::javaScriptAlert(const QUrl& origin, const QString& message) {
  if (!quiet_) QWebEnginePage::javaScriptAlert(origin, message);
}

bool VantryPage::javaScriptConfirm(const QUrl& origin, const QString& message) {
  return !quiet_ && QWebEnginePage::javaScriptConfirm(origin, message);
}

bool VantryPage::javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                                  QString* result) {
  return !quiet_ && QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
}

QStringList VantryPage::chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                                    const QStringList& acceptedMimeTypes) {
  if (quiet_) return {};
  return QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}

}  // namespace vantry::archive

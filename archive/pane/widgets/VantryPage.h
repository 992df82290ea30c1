#pragma once

#include <QWebEnginePage>

namespace vantry::archive {

// The pane's page: while quiet it shows none of the page's own dialogs, and every
// navigation to an http or https address goes to the store instead of the network.
class VantryPage : public QWebEnginePage {
  Q_OBJECT
 public:
  VantryPage(QWebEngineProfile* profile, QObject* parent);
  void SetQuiet(bool quiet) { quiet_ = quiet; }
  bool quiet() const { return quiet_; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                        QString* result) override;
  QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                          const QStringList& acceptedMimeTypes) override;

 private:
  bool quiet_ = true;
};

// The URL the engine is sent to for a pane target: a local path, an http or https address
// (shown from the store) or any other address as it stands.
QUrl PaneUrlFor(const QString& target);

}  // namespace vantry::archive

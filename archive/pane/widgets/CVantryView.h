#pragma once

#include <memory>

#include <QWebEngineView>

#include "archive/pane/HtmlPane.h"
#include "archive/pane/PaneState.h"

class QPrinter;
class QWebEngineProfile;

namespace vantry::archive {

class CVantryDoc;
class VantryPage;

// The HTML pane: shows the current entry from the store (by address) or from its cached
// file, and carries out the browser commands of the menus and the navigation bar.
class CVantryView : public QWebEngineView, public HtmlPane {
  Q_OBJECT
 public:
  // REQUIRES: `profile` outlives this view.
  CVantryView(CVantryDoc& document, QWebEngineProfile* profile, QWidget* parent = nullptr);
  ~CVantryView() override;

  // Shows the start page of the working directory (the program's own when it has none);
  // from now on entries are shown.
  void OnInitialUpdate();

  void ShowEntry(const cache::CurrentEntry& entry, bool localView) override;
  void ShowAddress(std::string_view address) override;
  void GoBack() override { back(); }
  void GoForward() override { forward(); }
  void SetFontSize(FontSize size) override;
  void Copy() override;
  void Cut() override;
  void Paste() override;
  void SelectAll() override;
  void FindInPage() override;
  void SaveRawAs() override;
  void Print() override;
  void OpenFile() override;
  bool ToggleQuiet() override;
  bool IsQuiet() const override { return state_.quiet(); }
  void SetScriptsEnabled(bool enabled) override;
  bool ScriptsEnabled() const override;

  const PaneState& state() const { return state_; }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Navigate(const QString& target);

  PaneState state_;
  VantryPage* page_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace vantry::archive

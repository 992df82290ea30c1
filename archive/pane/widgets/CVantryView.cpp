#include "archive/pane/widgets/CVantryView.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineSettings>

#include "archive/pane/widgets/CVantryDoc.h"
#include "archive/pane/widgets/VantryPage.h"

namespace vantry::archive {

namespace {

struct FontCommand {
  const char* text;
  FontSize size;
};
// The View sub-menu of the right-click menu, largest first.
constexpr FontCommand kFontCommands[] = {
    {"&Largest Fonts", FontSize::Largest}, {"Lar&ger Fonts", FontSize::Larger},     {"&Medium Fonts", FontSize::Medium},
    {"&Smaller Fonts", FontSize::Smaller}, {"Sm&allest Fonts", FontSize::Smallest},
};

}  // namespace

CVantryView::CVantryView(CVantryDoc& document, QWebEngineProfile* profile, QWidget* parent)
    : QWebEngineView(parent), page_(new VantryPage(profile, this)) {
  setPage(page_);
  setAccessibleName(tr("Page view"));
  page_->SetQuiet(state_.quiet());
  connect(&document, &CVantryDoc::UpdateAllViews, this, [this] {
    if (!state_.initialised()) OnInitialUpdate();
  });
}

CVantryView::~CVantryView() = default;

void CVantryView::OnInitialUpdate() {
  Navigate(QString::fromStdString(state_.StartPage(QDir::currentPath().toStdString())));
}

void CVantryView::ShowEntry(const cache::CurrentEntry& entry, bool localView) {
  page_->SetQuiet(state_.quiet());
  const PaneTarget target = state_.TargetForEntry(entry, localView);
  if (target.action == PaneTarget::Action::Navigate) Navigate(QString::fromStdString(target.address));
  if (target.action == PaneTarget::Action::Clear) setUrl(QUrl(QStringLiteral("about:blank")));
}

void CVantryView::ShowAddress(std::string_view address) {
  page_->SetQuiet(state_.quiet());
  Navigate(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
}

void CVantryView::Navigate(const QString& target) { setUrl(PaneUrlFor(target)); }

void CVantryView::SetFontSize(FontSize size) { setZoomFactor(ZoomFactorFor(size)); }
void CVantryView::Copy() { page_->triggerAction(QWebEnginePage::Copy); }
void CVantryView::Cut() { page_->triggerAction(QWebEnginePage::Cut); }
void CVantryView::Paste() { page_->triggerAction(QWebEnginePage::Paste); }
void CVantryView::SelectAll() { page_->triggerAction(QWebEnginePage::SelectAll); }

void CVantryView::FindInPage() {
  bool ok = false;
  const QString text =
      QInputDialog::getText(this, tr("Find"), tr("Find what:"), QLineEdit::Normal, page_->selectedText(), &ok);
  if (ok) page_->findText(text);
}

void CVantryView::SaveRawAs() {
  const QString name = QString::fromStdString(SuggestedSaveName(url().toString(QUrl::FullyEncoded).toStdString()));
  const QString path = QFileDialog::getSaveFileName(this, tr("Save As"), QDir::current().filePath(name),
                                                    tr("HTML Files (*.htm *.html);;All Files (*)"));
  if (!path.isEmpty()) page_->save(path, QWebEngineDownloadRequest::SingleHtmlSaveFormat);
}

void CVantryView::Print() {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() == QDialog::Accepted) print(printer_.get());
}

void CVantryView::OpenFile() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Open"), QDir::currentPath(),
                                                    QString::fromStdString(NameFilterFromPattern(kOpenFilePattern)),
                                                    nullptr, QFileDialog::ReadOnly);
  if (!path.isEmpty()) Navigate(path);
}

bool CVantryView::ToggleQuiet() {
  bool quiet = state_.ToggleQuiet();
  page_->SetQuiet(quiet);
  return quiet;
}

void CVantryView::SetScriptsEnabled(bool enabled) {
  page_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, enabled);
  if (!url().isEmpty()) page_->triggerAction(QWebEnginePage::Reload);
}

bool CVantryView::ScriptsEnabled() const {
  return page_->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled);
}

void CVantryView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QMenu* view = menu->addMenu(tr("View"));
  for (const FontCommand& command : kFontCommands) {
    FontSize size = command.size;
    view->addAction(tr(command.text), this, [this, size] { SetFontSize(size); });
  }
  menu->popup(event->globalPos());
}

}  // namespace vantry::archive

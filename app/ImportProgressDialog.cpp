#include "app/ImportProgressDialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace vantry::app {

namespace {

// Events are handled this often: enough for painting and a prompt "Cancel", rarely enough
// to cost the import nothing.
constexpr qint64 kEventIntervalMs = 40;

}  // namespace

ImportProgressDialog::ImportProgressDialog(QWidget* owner) : dialog_(std::make_unique<QProgressDialog>(owner)) {
  dialog_->setWindowTitle(QStringLiteral("Import from browser"));
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  dialog_->setMinimumWidth(420);
  dialog_->show();
  sinceEvents_.start();
}

ImportProgressDialog::~ImportProgressDialog() = default;

void ImportProgressDialog::Begin(const QString& what) {
  dialog_->setLabelText(what);
  dialog_->setRange(0, 0);
  QApplication::processEvents();
}

bool ImportProgressDialog::KeepGoing(size_t done, size_t total) {
  if (sinceEvents_.elapsed() >= kEventIntervalMs || done == total) {
    sinceEvents_.restart();
    // The dialog's bar counts in ints, which a cache's entries never exceed.
    dialog_->setRange(0, static_cast<int>(total));
    dialog_->setValue(static_cast<int>(done));
    QApplication::processEvents();
  }
  return !dialog_->wasCanceled();
}

}  // namespace vantry::app

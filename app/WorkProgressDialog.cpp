#include "app/WorkProgressDialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace vantry::app {

namespace {

// Events are handled this often while work runs: enough for painting, the animation and a
// prompt "Cancel", rare enough to cost the work nothing.
constexpr qint64 kEventIntervalMs = 40;
// The dialog's bar counts in ints; larger totals are scaled down.
constexpr uint64_t kBarSteps = 1'000'000;

}  // namespace

WorkProgressDialog::WorkProgressDialog(QWidget* owner, QString what, std::function<void()> ended,
                                       std::chrono::milliseconds showAfter)
    : owner_(owner), what_(std::move(what)), ended_(std::move(ended)), showAfter_(showAfter) {
  started_.start();
  sinceEvents_.start();
}

WorkProgressDialog::~WorkProgressDialog() {
  if (dialog_) {
    dialog_.reset();
    QApplication::restoreOverrideCursor();
  }
  if (ended_) ended_();
}

bool WorkProgressDialog::Advance(uint64_t done, uint64_t total) {
  if (stopped_) return false;
  if (sinceEvents_.elapsed() < kEventIntervalMs) return true;
  sinceEvents_.restart();
  if (!dialog_ && started_.elapsed() >= showAfter_.count()) Show();
  if (dialog_) ShowCount(done, total);
  // Before the dialog is up nothing may start another command; once it is, it is modal.
  QApplication::processEvents(dialog_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  stopped_ = dialog_ && dialog_->wasCanceled();
  return !stopped_;
}

void WorkProgressDialog::Show() {
  dialog_ = std::make_unique<QProgressDialog>(owner_);
  dialog_->setWindowTitle(QStringLiteral("Vantry"));
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  dialog_->setMinimumWidth(360);
  // The commands show the wait cursor; the dialog's button must look clickable.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  dialog_->show();
}

void WorkProgressDialog::ShowCount(uint64_t done, uint64_t total) {
  const QString count = total == 0 ? QStringLiteral("%1").arg(done) : QStringLiteral("%1 of %2").arg(done).arg(total);
  dialog_->setLabelText(what_ + QStringLiteral("\n") + count);
  if (total == 0) {
    dialog_->setRange(0, 0);
    return;
  }
  const uint64_t scale = total > kBarSteps ? total / kBarSteps + 1 : 1;
  dialog_->setRange(0, static_cast<int>(total / scale));
  dialog_->setValue(static_cast<int>(std::min(done, total) / scale));
}

}  // namespace vantry::app

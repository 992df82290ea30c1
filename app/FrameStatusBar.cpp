#include "app/FrameStatusBar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

#include "app/LockKeys.h"

namespace vantry::app {

namespace {

QLabel* IndicatorPane(const QString& text, const QString& accessibleName, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("LOKAL")) + 12);
  label->setAccessibleName(accessibleName);
  return label;
}

}  // namespace

FrameStatusBar::FrameStatusBar(QWidget* parent)
    : QStatusBar(parent),
      message_(new QLabel(tr("Ready"), this)),
      progressPane_(new QWidget(this)),
      caps_(IndicatorPane(QStringLiteral("CAP"), tr("Caps Lock"), this)),
      num_(IndicatorPane(QStringLiteral("NUM"), tr("Num Lock"), this)),
      viewMode_(IndicatorPane(QStringLiteral("HTTP"), tr("View mode"), this)) {
  setObjectName(QStringLiteral("StatusBar"));
  message_->setAccessibleName(tr("Message"));
  progressPane_->setAccessibleName(tr("Progress"));
  progressPane_->setMinimumWidth(220);
  new QHBoxLayout(progressPane_);
  progressPane_->layout()->setContentsMargins(0, 0, 0, 0);
  addWidget(message_, 1);
  addPermanentWidget(progressPane_);
  addPermanentWidget(caps_);
  addPermanentWidget(num_);
  addPermanentWidget(viewMode_);
  ShowLockKeys();
  qApp->installEventFilter(this);
}

void FrameStatusBar::SetMessage(const QString& text) { message_->setText(text); }
QString FrameStatusBar::message() const { return message_->text(); }

void FrameStatusBar::EnsureProgressBar() {
  if (progressRequests_++ > 0) return;
  progress_ = new QProgressBar(progressPane_);
  progress_->setRange(0, kProgressEnd);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progress_->setAccessibleName(tr("Progress"));
  progressPane_->layout()->addWidget(progress_);
}

void FrameStatusBar::StepProgress() {
  if (!progress_) return;
  progress_->setValue(progress_->value() >= kProgressEnd ? 0 : progress_->value() + 1);
}

void FrameStatusBar::ResetProgress() {
  if (progress_) progress_->setValue(0);
}

void FrameStatusBar::SetLocalView(bool local) {
  viewMode_->setText(local ? QStringLiteral("LOKAL") : QStringLiteral("HTTP"));
}

QString FrameStatusBar::viewMode() const { return viewMode_->text(); }

QStringList FrameStatusBar::paneTexts() const {
  return {message_->text(), QString(), caps_->text(), num_->text(), viewMode_->text()};
}

bool FrameStatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ApplicationActivate) {
    auto* key = event->type() == QEvent::KeyRelease ? static_cast<QKeyEvent*>(event) : nullptr;
    if (!key || key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock) ShowLockKeys();
  }
  return QStatusBar::eventFilter(watched, event);
}

// An indicator reads its text while its lock is on and is greyed out while it is off.
void FrameStatusBar::ShowLockKeys() {
  LockKeys keys = ReadLockKeys();
  caps_->setEnabled(keys.capsLock);
  num_->setEnabled(keys.numLock);
}

}  // namespace vantry::app

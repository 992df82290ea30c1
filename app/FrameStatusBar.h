#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace vantry::app {

// The frame's status bar, five panes in order: the message ("Ready" when idle), a wide
// pane that hosts the progress bar once it is needed, the caps-lock and num-lock
// indicators, and the view mode ("HTTP" or "LOKAL").
class FrameStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  static constexpr int kProgressEnd = 50;

  explicit FrameStatusBar(QWidget* parent);

  void SetMessage(const QString& text);
  QString message() const;

  // Creates the progress bar (0 to 50, step 1) inside its pane on the first call only.
  void EnsureProgressBar();
  // One step; past the end the bar starts again from the beginning. Nothing without a bar.
  void StepProgress();
  void ResetProgress();
  QProgressBar* progressBar() const { return progress_; }
  int progressRequests() const { return progressRequests_; }

  void SetLocalView(bool local);
  QString viewMode() const;

  // The panes' texts in order, for the accessibility tree and for tests.
  QStringList paneTexts() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowLockKeys();

  QLabel* message_;
  QWidget* progressPane_;
  QProgressBar* progress_ = nullptr;
  int progressRequests_ = 0;
  QLabel* caps_;
  QLabel* num_;
  QLabel* viewMode_;
};

}  // namespace vantry::app

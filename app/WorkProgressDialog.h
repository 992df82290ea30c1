#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QString>

#include "cache/store/WorkProgress.h"

class QProgressDialog;
class QWidget;

namespace vantry::app {

// How the window follows a long piece of work that runs on the window's own thread. Until
// `showAfter` has passed it only repaints, taking no input, so that no other command starts in
// between; then a modal dialog shows how far the work got, and its "Cancel" stops it.
class WorkProgressDialog : public cache::WorkProgress {
 public:
  static constexpr std::chrono::milliseconds kShowAfter{1000};

  // `ended` runs when the work is over (this object is destroyed).
  WorkProgressDialog(QWidget* owner, QString what, std::function<void()> ended,
                     std::chrono::milliseconds showAfter = kShowAfter);
  ~WorkProgressDialog() override;
  WorkProgressDialog(const WorkProgressDialog&) = delete;
  WorkProgressDialog& operator=(const WorkProgressDialog&) = delete;

  bool Advance(uint64_t done, uint64_t total) override;

  // Shown once the work has run for `showAfter`; nothing before.
  QProgressDialog* dialog() const { return dialog_.get(); }

 private:
  void Show();
  void ShowCount(uint64_t done, uint64_t total);

  QWidget* owner_;
  QString what_;
  std::function<void()> ended_;
  std::chrono::milliseconds showAfter_;
  QElapsedTimer started_;
  QElapsedTimer sinceEvents_;
  std::unique_ptr<QProgressDialog> dialog_;
  bool stopped_ = false;
};

}  // namespace vantry::app

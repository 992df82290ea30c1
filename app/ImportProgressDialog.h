#pragma once

#include <cstddef>
#include <memory>

#include <QElapsedTimer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace vantry::app {

// Follows an import that runs on the window's thread: a modal dialog with what is being
// imported and how many of its entries are read, whose "Cancel" stops the import at the
// next entry. Between entries it lets the window repaint.
class ImportProgressDialog {
 public:
  explicit ImportProgressDialog(QWidget* owner);
  ~ImportProgressDialog();
  ImportProgressDialog(const ImportProgressDialog&) = delete;
  ImportProgressDialog& operator=(const ImportProgressDialog&) = delete;

  // Shows `what` as the work now under way, with no entry read yet.
  void Begin(const QString& what);
  // For import::StoreOptions::keepGoing: false once the user asked to stop.
  bool KeepGoing(size_t done, size_t total);

  QProgressDialog* dialog() const { return dialog_.get(); }

 private:
  std::unique_ptr<QProgressDialog> dialog_;
  QElapsedTimer sinceEvents_;
};

}  // namespace vantry::app

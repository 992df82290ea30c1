#pragma once

#include <string>

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>

namespace vantry::ops {

// "Server to delete from cache": the text whose addresses "Delete Cache Entries...." removes.
class ServerDeleteDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ServerDeleteDialog(const std::string& text, QWidget* parent = nullptr);
  std::string Text() const;

  QLineEdit* server() const { return server_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  QLineEdit* server_;
  QDialogButtonBox* buttons_;
};

}  // namespace vantry::ops

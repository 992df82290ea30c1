#include "ops/dialogs/DeleteDialogs.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ops/dialogs/CopyDialogs.h"
#include "qtutil/ByteText.h"

namespace vantry::ops {

ServerDeleteDialog::ServerDeleteDialog(const std::string& text, QWidget* parent)
    : QDialog(parent), server_(new QLineEdit(this)), buttons_(MakeOkCancel(this)) {
  setWindowTitle("Server to delete from cache");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Insert Name of Server:", this));
  layout->addWidget(server_);
  layout->addWidget(buttons_);
  server_->setText(qtutil::QStringFromBytes(text));
  server_->setFocus();
}

std::string ServerDeleteDialog::Text() const { return qtutil::BytesFromQString(server_->text()); }

}  // namespace vantry::ops

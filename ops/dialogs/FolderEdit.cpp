#include "ops/dialogs/FolderEdit.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QResizeEvent>

#include "ops/FolderRules.h"
#include "qtutil/ByteText.h"

namespace vantry::ops {

std::optional<QString> FolderBrowse(const QString& current, QWidget* owner, FolderPickerMode mode,
                                    const QString& prompt) {
  QFileDialog::Options options = QFileDialog::ShowDirsOnly;
  if (mode == FolderPickerMode::Classic) options |= QFileDialog::DontUseNativeDialog;
  const QString chosen = QFileDialog::getExistingDirectory(owner, prompt, current, options);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

FolderEdit::FolderEdit(const QString& prompt, QWidget* parent)
    : QWidget(parent), prompt_(prompt), edit_(new QLineEdit(this)), button_(new QToolButton(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);  // the button stands one pixel to the right of the edit
  layout->addWidget(edit_);
  layout->addWidget(button_);
  button_->setText("...");
  button_->setToolTip("Modify");
  setFocusProxy(edit_);
  connect(button_, &QToolButton::clicked, this, &FolderEdit::Browse);
}

void FolderEdit::SetFolder(const std::string& folder) {
  edit_->setText(qtutil::QStringFromBytes(StripTrailingSeparator(folder)));
}

std::string FolderEdit::Folder() const { return StripTrailingSeparator(qtutil::BytesFromQString(edit_->text())); }

bool FolderEdit::Validate(bool mustExist, archive::UserPrompt& prompt) {
  const std::string_view message = FolderValidationMessage(Folder(), mustExist);
  if (message.empty()) return true;
  prompt.Tell(std::string(message), "Vantry");
  edit_->setFocus();
  return false;
}

void FolderEdit::resizeEvent(QResizeEvent* event) {
  // The button is as high as the edit and eight tenths of that wide.
  button_->setFixedSize(edit_->height() * 8 / 10, edit_->height());
  QWidget::resizeEvent(event);
}

void FolderEdit::Browse() {
  if (std::optional<QString> chosen = picker_(edit_->text(), window(), mode_, prompt_)) edit_->setText(*chosen);
}

}  // namespace vantry::ops

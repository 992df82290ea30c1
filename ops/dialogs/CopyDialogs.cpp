#include "ops/dialogs/CopyDialogs.h"

#include <QLabel>
#include <QVBoxLayout>

#include "qtutil/ByteText.h"

namespace vantry::ops {

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

CopyToDialog::CopyToDialog(const CopyToChoice& choice, archive::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      prompt_(prompt),
      folder_(new FolderEdit(kFolderPrompt, this)),
      buttons_(MakeOkCancel(this)),
      createNewFolder_(new QCheckBox("&Create New Folder", this)),
      deleteAfterCopy_(new QCheckBox("Delete files in cache after copying", this)),
      showCommentDialog_(new QCheckBox("Show comment dialog", this)) {
  setWindowTitle("Select directory to copy to");
  auto* layout = new QVBoxLayout(this);
  for (QWidget* control :
       std::initializer_list<QWidget*>{folder_, buttons_, createNewFolder_, deleteAfterCopy_, showCommentDialog_})
    layout->addWidget(control);
  folder_->SetFolder(choice.folder);
  createNewFolder_->setChecked(choice.createNewFolder);
  deleteAfterCopy_->setChecked(choice.deleteAfterCopy);
  showCommentDialog_->setChecked(choice.showCommentDialog);
  folder_->setFocus();
}

CopyToChoice CopyToDialog::Choice() const {
  return {folder_->Folder(), createNewFolder_->isChecked(), deleteAfterCopy_->isChecked(),
          showCommentDialog_->isChecked()};
}

void CopyToDialog::accept() {
  if (folder_->Validate(!createNewFolder_->isChecked(), prompt_)) QDialog::accept();
}

CommentDialog::CommentDialog(const CommentChoice& choice, QWidget* parent)
    : QDialog(parent),
      comment_(new QLineEdit(this)),
      automaticBackup_(new QCheckBox("Mark this site for automatic backup", this)),
      backgroundSync_(new QCheckBox("Mark this site for background synchronization", this)),
      buttons_(MakeOkCancel(this)) {
  setWindowTitle("Comment");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Please insert a meaningful comment which helps you retrieving this document:", this));
  for (QWidget* control : std::initializer_list<QWidget*>{comment_, automaticBackup_, backgroundSync_, buttons_})
    layout->addWidget(control);
  comment_->setMaxLength(kMaxCommentLength);
  comment_->setText(qtutil::QStringFromBytes(choice.comment));
  automaticBackup_->setChecked(choice.automaticBackup);
  backgroundSync_->setChecked(choice.backgroundSync);
  comment_->setFocus();
}

CommentChoice CommentDialog::Choice() const {
  return {qtutil::BytesFromQString(comment_->text()), automaticBackup_->isChecked(), backgroundSync_->isChecked()};
}

CopyFilesDialog::CopyFilesDialog(const CopyFilesChoice& choice, archive::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      prompt_(prompt),
      specifier_(new QLineEdit(this)),
      deleteAfterCopy_(new QCheckBox("Delete after copying", this)),
      folder_(new FolderEdit(kFolderPrompt, this)),
      createNewFolder_(new QCheckBox("Create new folder", this)),
      buttons_(MakeOkCancel(this)) {
  setWindowTitle("Copy specified files");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Insert file specifier:", this));
  layout->addWidget(specifier_);
  layout->addWidget(deleteAfterCopy_);
  layout->addWidget(new QLabel("Insert directory to copy to", this));
  for (QWidget* control : std::initializer_list<QWidget*>{folder_, createNewFolder_, buttons_})
    layout->addWidget(control);
  specifier_->setText(qtutil::QStringFromBytes(choice.specifier));
  deleteAfterCopy_->setChecked(choice.deleteAfterCopy);
  folder_->SetFolder(choice.folder);
  createNewFolder_->setChecked(choice.createNewFolder);
  specifier_->setFocus();
}

CopyFilesChoice CopyFilesDialog::Choice() const {
  return {qtutil::BytesFromQString(specifier_->text()), deleteAfterCopy_->isChecked(), folder_->Folder(),
          createNewFolder_->isChecked()};
}

void CopyFilesDialog::accept() {
  if (folder_->Validate(!createNewFolder_->isChecked(), prompt_)) QDialog::accept();
}

}  // namespace vantry::ops

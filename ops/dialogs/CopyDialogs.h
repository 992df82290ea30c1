#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>

#include "archive/UserPrompt.h"
#include "ops/CommandDialogs.h"
#include "ops/dialogs/FolderEdit.h"

// The dialogs of the copy commands. Each is filled from its record and, once accepted,
// gives the record back; the folder dialogs check the folder before they close.
namespace vantry::ops {

inline constexpr const char* kFolderPrompt = "Please specify a folder";

// "Select directory to copy to".
class CopyToDialog : public QDialog {
  Q_OBJECT

 public:
  CopyToDialog(const CopyToChoice& choice, archive::UserPrompt& prompt, QWidget* parent = nullptr);
  CopyToChoice Choice() const;
  void accept() override;

  FolderEdit* folder() const { return folder_; }
  QDialogButtonBox* buttons() const { return buttons_; }
  QCheckBox* createNewFolder() const { return createNewFolder_; }
  QCheckBox* deleteAfterCopy() const { return deleteAfterCopy_; }
  QCheckBox* showCommentDialog() const { return showCommentDialog_; }

 private:
  archive::UserPrompt& prompt_;
  FolderEdit* folder_;
  QDialogButtonBox* buttons_;
  QCheckBox* createNewFolder_;
  QCheckBox* deleteAfterCopy_;
  QCheckBox* showCommentDialog_;
};

// "Comment".
class CommentDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CommentDialog(const CommentChoice& choice, QWidget* parent = nullptr);
  CommentChoice Choice() const;

  QLineEdit* comment() const { return comment_; }
  QCheckBox* automaticBackup() const { return automaticBackup_; }
  QCheckBox* backgroundSync() const { return backgroundSync_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  QLineEdit* comment_;
  QCheckBox* automaticBackup_;
  QCheckBox* backgroundSync_;
  QDialogButtonBox* buttons_;
};

// "Copy specified files".
class CopyFilesDialog : public QDialog {
  Q_OBJECT

 public:
  CopyFilesDialog(const CopyFilesChoice& choice, archive::UserPrompt& prompt, QWidget* parent = nullptr);
  CopyFilesChoice Choice() const;
  void accept() override;

  QLineEdit* specifier() const { return specifier_; }
  QCheckBox* deleteAfterCopy() const { return deleteAfterCopy_; }
  FolderEdit* folder() const { return folder_; }
  QCheckBox* createNewFolder() const { return createNewFolder_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  archive::UserPrompt& prompt_;
  QLineEdit* specifier_;
  QCheckBox* deleteAfterCopy_;
  FolderEdit* folder_;
  QCheckBox* createNewFolder_;
  QDialogButtonBox* buttons_;
};

// OK and Cancel, wired to the dialog's accept and reject.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

}  // namespace vantry::ops

#include "ops/dialogs/QtCommandDialogs.h"

#include "ops/dialogs/CopyDialogs.h"
#include "ops/dialogs/DeleteDialogs.h"
#include "ops/dialogs/FindDialog.h"
#include "ops/dialogs/QtCommandServices.h"

namespace vantry::ops {
namespace {

bool RunModal(QDialog& dialog) {
  ArrowWhileAsking arrow;
  return dialog.exec() == QDialog::Accepted;
}

// Runs `dialog` modally; on OK its values replace `choice`.
template <typename Dialog, typename Choice>
bool RunAndRead(Dialog& dialog, Choice& choice) {
  if (!RunModal(dialog)) return false;
  choice = dialog.Choice();
  return true;
}

}  // namespace

bool QtCommandDialogs::RunCopyTo(CopyToChoice& choice) {
  CopyToDialog dialog(choice, prompt_, owner_);
  return RunAndRead(dialog, choice);
}

bool QtCommandDialogs::RunComment(CommentChoice& choice) {
  CommentDialog dialog(choice, owner_);
  return RunAndRead(dialog, choice);
}

bool QtCommandDialogs::RunCopyFiles(CopyFilesChoice& choice) {
  CopyFilesDialog dialog(choice, prompt_, owner_);
  return RunAndRead(dialog, choice);
}

bool QtCommandDialogs::RunServerDelete(std::string& text) {
  ServerDeleteDialog dialog(text, owner_);
  if (!RunModal(dialog)) return false;
  text = dialog.Text();
  return true;
}

bool QtCommandDialogs::RunFindFiles(FindFilesChoice& choice) {
  FindFilesDialog dialog(choice, prompt_, owner_);
  return RunAndRead(dialog, choice);
}

bool QtCommandDialogs::RunSearchText(SearchTextChoice& choice) {
  SearchTextDialog dialog(choice, owner_);
  return RunAndRead(dialog, choice);
}

}  // namespace vantry::ops

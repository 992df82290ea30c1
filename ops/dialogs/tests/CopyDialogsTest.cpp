#include "ops/dialogs/CopyDialogs.h"

#include <QLabel>
#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "ops/FolderRules.h"
#include "ops/dialogs/DeleteDialogs.h"
#include "ops/dialogs/tests/DialogTestSupport.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

namespace fs = std::filesystem;

QStringList LabelTexts(QWidget* dialog) {
  QStringList texts;
  for (QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

TEST(CopyToDialogTest, TitleTextsDefaultsAndControlOrder) {
  testing::ScriptedPrompt prompt;
  CopyToDialog dialog({"/home/u/saved/", false, false, true}, prompt);
  EXPECT_EQ(dialog.windowTitle(), "Select directory to copy to");
  EXPECT_EQ(dialog.folder()->edit()->text(), "/home/u/saved");
  EXPECT_EQ(dialog.createNewFolder()->text(), "&Create New Folder");
  EXPECT_EQ(dialog.deleteAfterCopy()->text(), "Delete files in cache after copying");
  EXPECT_EQ(dialog.showCommentDialog()->text(), "Show comment dialog");
  EXPECT_FALSE(dialog.createNewFolder()->isChecked());
  EXPECT_FALSE(dialog.deleteAfterCopy()->isChecked());
  EXPECT_TRUE(dialog.showCommentDialog()->isChecked());
  QWidget* ok = dialog.buttons()->button(QDialogButtonBox::Ok);
  QWidget* cancel = dialog.buttons()->button(QDialogButtonBox::Cancel);
  const std::vector<QWidget*> order{
      dialog.folder()->edit(),   ok, cancel, dialog.createNewFolder(), dialog.deleteAfterCopy(),
      dialog.showCommentDialog()};
  EXPECT_EQ(TabOrder(&dialog, order), order);
}

TEST(CopyToDialogTest, OkChecksTheFolderByTheCreateBox) {
  testing::TempFolder folder;
  fs::create_directory(folder / "dir");
  files::WriteWholeFile(folder / "file", "x");
  struct Row {
    std::string typed;
    bool create;
    bool accepted;
    std::vector<testing::PromptCall> told;
  };
  const Row rows[] = {
      {folder / "dir/", false, true, {}},
      {folder / "file", false, false, {{"Please select a valid folder", "Vantry"}}},
      {folder / "missing", false, false, {{"Please select a valid folder", "Vantry"}}},
      {folder / "dir", true, false, {{"Cannot Create! Folder exists!", "Vantry"}}},
      {folder / "missing", true, true, {}},
  };
  for (const Row& row : rows) {
    testing::ScriptedPrompt prompt;
    CopyToDialog dialog({}, prompt);
    dialog.show();
    dialog.folder()->edit()->setText(QString::fromStdString(row.typed));
    dialog.createNewFolder()->setChecked(row.create);
    dialog.deleteAfterCopy()->setChecked(true);
    ClickOk(dialog.buttons());
    EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted) << row.typed;
    EXPECT_EQ(dialog.isVisible(), !row.accepted) << row.typed;
    EXPECT_EQ(prompt.told, row.told) << row.typed;
    if (row.accepted) {
      const CopyToChoice choice = dialog.Choice();
      EXPECT_EQ(choice.folder, StripTrailingSeparator(row.typed));
      EXPECT_EQ(choice.createNewFolder, row.create);
      EXPECT_TRUE(choice.deleteAfterCopy);
    }
  }
}

TEST(CommentDialogTest, PrefilledFromTheRecordAndLimitedTo512Characters) {
  CommentDialog dialog({"my notes", false, true});
  EXPECT_EQ(dialog.windowTitle(), "Comment");
  EXPECT_TRUE(
      LabelTexts(&dialog).contains("Please insert a meaningful comment which helps you retrieving this document:"));
  EXPECT_EQ(dialog.comment()->text(), "my notes");
  EXPECT_EQ(dialog.automaticBackup()->text(), "Mark this site for automatic backup");
  EXPECT_EQ(dialog.backgroundSync()->text(), "Mark this site for background synchronization");
  EXPECT_FALSE(dialog.automaticBackup()->isChecked());
  EXPECT_TRUE(dialog.backgroundSync()->isChecked());
  dialog.comment()->setText(QString(600, 'c'));
  dialog.automaticBackup()->setChecked(true);
  const CommentChoice choice = dialog.Choice();
  EXPECT_EQ(choice.comment.size(), 512u);
  EXPECT_TRUE(choice.automaticBackup && choice.backgroundSync);
  const std::vector<QWidget*> order{dialog.comment(), dialog.automaticBackup(), dialog.backgroundSync(),
                                    dialog.buttons()->button(QDialogButtonBox::Ok)};
  EXPECT_EQ(TabOrder(&dialog, order), order);
}

TEST(CopyFilesDialogTest, TextsDefaultsOrderAndFolderCheck) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt;
  CopyFilesDialog dialog({"*.*", false, folder.path().string() + "/", false}, prompt);
  EXPECT_EQ(dialog.windowTitle(), "Copy specified files");
  EXPECT_TRUE(LabelTexts(&dialog).contains("Insert file specifier:"));
  EXPECT_TRUE(LabelTexts(&dialog).contains("Insert directory to copy to"));
  EXPECT_EQ(dialog.specifier()->text(), "*.*");
  EXPECT_EQ(dialog.deleteAfterCopy()->text(), "Delete after copying");
  EXPECT_EQ(dialog.createNewFolder()->text(), "Create new folder");
  EXPECT_EQ(dialog.folder()->Folder(), folder.path().string());
  const std::vector<QWidget*> order{dialog.specifier(), dialog.deleteAfterCopy(), dialog.folder()->edit(),
                                    dialog.createNewFolder(), dialog.buttons()->button(QDialogButtonBox::Ok)};
  EXPECT_EQ(TabOrder(&dialog, order), order);

  dialog.show();
  dialog.createNewFolder()->setChecked(true);
  ClickOk(dialog.buttons());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(prompt.told, (std::vector<testing::PromptCall>{{"Cannot Create! Folder exists!", "Vantry"}}));
  dialog.createNewFolder()->setChecked(false);
  dialog.specifier()->setText("*.gif");
  dialog.deleteAfterCopy()->setChecked(true);
  ClickOk(dialog.buttons());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const CopyFilesChoice choice = dialog.Choice();
  EXPECT_EQ(choice.specifier, "*.gif");
  EXPECT_TRUE(choice.deleteAfterCopy);
  EXPECT_FALSE(choice.createNewFolder);
}

TEST(ServerDeleteDialogTest, ShowsTheLastTextAndGivesTheNewOne) {
  ServerDeleteDialog dialog("www.old.org");
  EXPECT_EQ(dialog.windowTitle(), "Server to delete from cache");
  EXPECT_TRUE(LabelTexts(&dialog).contains("Insert Name of Server:"));
  EXPECT_EQ(dialog.server()->text(), "www.old.org");
  dialog.server()->setText("www.new.");
  EXPECT_EQ(dialog.Text(), "www.new.");
}

}  // namespace
}  // namespace vantry::ops

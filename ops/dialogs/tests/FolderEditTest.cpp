#include "ops/dialogs/FolderEdit.h"

#include <QApplication>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

TEST(FolderEditTest, ShowsAndReadsTheFolderWithoutATrailingSlash) {
  FolderEdit edit("Please specify a folder");
  edit.SetFolder("/home/u/cache/");
  EXPECT_EQ(edit.edit()->text(), "/home/u/cache");
  edit.edit()->setText("/tmp/typed/");
  EXPECT_EQ(edit.Folder(), "/tmp/typed");
  edit.SetFolder("/");
  EXPECT_EQ(edit.Folder(), "/");
}

TEST(FolderEditTest, TheButtonOpensThePickerAtTheCurrentText) {
  FolderEdit edit("Please specify a folder");
  edit.SetPickerMode(FolderPickerMode::Classic);
  edit.SetFolder("/start");
  QString askedAt, askedWith;
  FolderPickerMode askedMode = FolderPickerMode::Shell;
  std::optional<QString> answer = QString("/chosen");
  edit.SetPicker([&](const QString& current, QWidget*, FolderPickerMode mode, const QString& prompt) {
    askedAt = current;
    askedWith = prompt;
    askedMode = mode;
    return answer;
  });
  EXPECT_EQ(edit.browseButton()->text(), "...");
  EXPECT_EQ(edit.browseButton()->toolTip(), "Modify");
  edit.browseButton()->click();
  EXPECT_EQ(askedAt, "/start");
  EXPECT_EQ(askedWith, "Please specify a folder");
  EXPECT_EQ(askedMode, FolderPickerMode::Classic);
  EXPECT_EQ(edit.Folder(), "/chosen");

  answer.reset();  // cancelled: the text stays
  edit.browseButton()->click();
  EXPECT_EQ(edit.Folder(), "/chosen");
}

TEST(FolderEditTest, TheButtonIsAsHighAsTheEditAndEightTenthsAsWide) {
  FolderEdit edit("p");
  edit.resize(300, 40);
  edit.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
  const int height = edit.edit()->height();
  EXPECT_EQ(edit.browseButton()->height(), height);
  EXPECT_EQ(edit.browseButton()->width(), height * 8 / 10);
  EXPECT_EQ(edit.browseButton()->x(), edit.edit()->geometry().right() + 2);
}

TEST(FolderEditTest, ARejectedFolderTakesTheFocus) {
  FolderEdit edit("p");
  testing::ScriptedPrompt prompt;
  edit.show();
  edit.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
  edit.browseButton()->setFocus();
  ASSERT_FALSE(edit.edit()->hasFocus());
  edit.SetFolder("/nonexistent/folder");
  EXPECT_FALSE(edit.Validate(true, prompt));
  EXPECT_TRUE(edit.edit()->hasFocus());
}

TEST(FolderEditTest, ValidationTellsTheRejectedFolder) {
  testing::TempFolder folder;
  std::filesystem::create_directory(folder / "dir");
  FolderEdit edit("p");
  testing::ScriptedPrompt prompt;
  edit.SetFolder(folder / "dir");
  EXPECT_TRUE(edit.Validate(true, prompt));
  EXPECT_FALSE(edit.Validate(false, prompt));
  edit.SetFolder(folder / "missing");
  EXPECT_FALSE(edit.Validate(true, prompt));
  EXPECT_TRUE(edit.Validate(false, prompt));
  EXPECT_EQ(prompt.told, (std::vector<testing::PromptCall>{{"Cannot Create! Folder exists!", "Vantry"},
                                                           {"Please select a valid folder", "Vantry"}}));
}

}  // namespace
}  // namespace vantry::ops

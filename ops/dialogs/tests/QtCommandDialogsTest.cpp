#include "ops/dialogs/QtCommandDialogs.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "ops/dialogs/CopyDialogs.h"
#include "ops/dialogs/DeleteDialogs.h"
#include "ops/dialogs/QtCommandServices.h"
#include "ops/dialogs/tests/DialogTestSupport.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

// Acts on the modal dialog once it runs.
template <typename Dialog, typename Action>
void WhenShown(Action action) {
  QTimer::singleShot(0, [action] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    action(*dialog);
  });
}

TEST(QtCommandDialogsTest, OkGivesTheDialogsValuesBack) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt;
  QtCommandDialogs dialogs(nullptr, prompt);
  CopyToChoice choice{folder.path().string(), false, false, false};
  WhenShown<CopyToDialog>([](CopyToDialog& dialog) {
    dialog.showCommentDialog()->setChecked(true);
    ClickOk(dialog.buttons());
  });
  ASSERT_TRUE(dialogs.RunCopyTo(choice));
  EXPECT_TRUE(choice.showCommentDialog);
  EXPECT_EQ(choice.folder, folder.path().string());
}

TEST(QtCommandDialogsTest, CancelLeavesTheRecordAsItWas) {
  testing::ScriptedPrompt prompt;
  QtCommandDialogs dialogs(nullptr, prompt);
  std::string text = "www.old.org";
  WhenShown<ServerDeleteDialog>([](ServerDeleteDialog& dialog) {
    dialog.server()->setText("changed");
    dialog.reject();
  });
  EXPECT_FALSE(dialogs.RunServerDelete(text));
  EXPECT_EQ(text, "www.old.org");
}

TEST(QtCommandDialogsTest, ADialogOpenedDuringACommandShowsTheArrow) {
  testing::ScriptedPrompt prompt;
  QtCommandDialogs dialogs(nullptr, prompt);
  OverrideWaitCursor busy;
  busy.Show();
  Qt::CursorShape whileOpen = Qt::BlankCursor;
  WhenShown<CommentDialog>([&](CommentDialog& dialog) {
    whileOpen = QApplication::overrideCursor()->shape();
    dialog.reject();
  });
  CommentChoice choice;
  EXPECT_FALSE(dialogs.RunComment(choice));
  EXPECT_EQ(whileOpen, Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

}  // namespace
}  // namespace vantry::ops

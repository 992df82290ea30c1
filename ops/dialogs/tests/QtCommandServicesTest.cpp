#include "ops/dialogs/QtCommandServices.h"

#include <QApplication>
#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "ops/SettingKeys.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

TEST(QSettingsStoreTest, ReadsDefaultsAndWritesSectionsOfTheIniFile) {
  testing::TempFolder folder;
  const QString file = QString::fromStdString(folder / "profile.ini");
  {
    QSettingsStore store(file);
    EXPECT_EQ(Read(store, kFilesToCopy), "*.*");
    EXPECT_EQ(Read(store, kWhatFind), 1);
    Write(store, kSaveDir, "/home/u/Kopien ä");
    Write(store, kWhatFind, 0x10401);
    EXPECT_EQ(Read(store, kSaveDir), "/home/u/Kopien ä");
  }
  const std::string text = files::ReadWholeFile(folder / "profile.ini").value_or("");
  EXPECT_NE(text.find("[Vantry]"), std::string::npos) << text;
  EXPECT_NE(text.find("[Settings]\nWhatFind=66561"), std::string::npos) << text;
  QSettingsStore store(file);
  EXPECT_EQ(Read(store, kWhatFind), 0x10401);
}

TEST(OverrideWaitCursorTest, RestoreUndoesOnlyWhatShowDid) {
  {
    OverrideWaitCursor cursor;
    cursor.Restore();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    cursor.Show();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    cursor.Show();
    cursor.Restore();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace vantry::ops

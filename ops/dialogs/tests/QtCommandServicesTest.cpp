#include "ops/dialogs/QtCommandServices.h"
#include "files/WholeFile.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "cache/store/StoreFiles.h"
#include "ops/OpsSettings.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

TEST(QSettingsStoreTest, ReadsDefaultsAndWritesSectionsOfTheIniFile) {
  testing::TempFolder folder;
  const QString file = QString::fromStdString(folder / "profile.ini");
  {
    QSettings settings(file, QSettings::IniFormat);
    QSettingsStore store(settings);
    EXPECT_EQ(store.ReadText(kFilesToCopyKey.section, kFilesToCopyKey.key, kFilesToCopyDefault), "*.*");
    EXPECT_EQ(store.ReadInt(kWhatFindKey.section, kWhatFindKey.key, kWhatFindDefault), 1);
    store.WriteText(kSaveDirKey.section, kSaveDirKey.key, "/home/u/Kopien ä");
    store.WriteInt(kWhatFindKey.section, kWhatFindKey.key, 0x10401);
    EXPECT_EQ(store.ReadText(kSaveDirKey.section, kSaveDirKey.key, ""), "/home/u/Kopien ä");
  }
  const std::string text = files::ReadWholeFile(folder / "profile.ini").value_or("");
  EXPECT_NE(text.find("[Vantry]"), std::string::npos) << text;
  EXPECT_NE(text.find("[Settings]\nWhatFind=66561"), std::string::npos) << text;
  QSettings reopened(file, QSettings::IniFormat);
  QSettingsStore store(reopened);
  EXPECT_EQ(store.ReadInt(kWhatFindKey.section, kWhatFindKey.key, 1), 0x10401);
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

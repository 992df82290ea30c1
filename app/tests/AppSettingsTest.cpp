#include "app/AppSettings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "ops/SettingKeys.h"
#include "testing/TempFolder.h"

namespace vantry::app {

namespace {

using ops::Read;
using ops::Write;

class AppSettingsTest : public ::testing::Test {
 protected:
  QString Path(const char* name) const { return QString::fromStdString((folder_.path() / name).string()); }
  std::string FileText(const char* name) const {
    QFile file(Path(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
  }

  ops::SettingsStore& app() { return settings_.application(); }
  ops::SettingsStore& profile() { return settings_.profile(); }

  testing::TempFolder folder_;
  AppSettings settings_{Path("OfflineVantry.ini"), Path("profile.ini")};
};

TEST_F(AppSettingsTest, MissingKeysGiveTheirDefaults) {
  EXPECT_EQ(Read(app(), ops::kSaveDir), "");
  EXPECT_EQ(Read(app(), ops::kWhatFind), 1);
  EXPECT_EQ(Read(app(), ops::kDateFormat), 0);
  EXPECT_EQ(Read(app(), ops::kDateFormatShownByPreferences), 1);
  EXPECT_TRUE(settings_.BarState().isEmpty());
  EXPECT_EQ(Read(profile(), ops::kCopySaveDir), "");
  EXPECT_EQ(Read(profile(), ops::kServerToDelete), "");
  EXPECT_EQ(Read(profile(), ops::kFilesToCopy), "*.*");
  EXPECT_EQ(ops::DefaultCopyDirectory(), QDir::homePath().toStdString() + "/cache");
}

TEST_F(AppSettingsTest, ValuesGoToTheirStoreSectionAndKey) {
  Write(app(), ops::kSaveDir, "/home/u/saved");
  Write(app(), ops::kWhatFind, 6);
  Write(app(), ops::kDateFormat, 2);
  Write(profile(), ops::kCopySaveDir, "/home/u/copies");
  Write(profile(), ops::kServerToDelete, "www.example.com");
  Write(profile(), ops::kFilesToCopy, "*.gif");
  Write(profile(), ops::kCopyDirectory, "/home/u/cache2");

  EXPECT_EQ(Read(app(), ops::kSaveDir), "/home/u/saved");
  EXPECT_EQ(Read(app(), ops::kWhatFind), 6);
  EXPECT_EQ(Read(app(), ops::kDateFormat), 2);
  EXPECT_EQ(Read(app(), ops::kDateFormatShownByPreferences), 2);
  EXPECT_EQ(Read(profile(), ops::kCopySaveDir), "/home/u/copies");
  EXPECT_EQ(Read(profile(), ops::kServerToDelete), "www.example.com");
  EXPECT_EQ(Read(profile(), ops::kFilesToCopy), "*.gif");
  EXPECT_EQ(Read(profile(), ops::kCopyDirectory), "/home/u/cache2");

  const std::string application = FileText("OfflineVantry.ini");
  for (const char* line : {"[Vantry]\nSaveDir=/home/u/saved", "[Settings]", "WhatFind=6", "Date_Format=2"})
    EXPECT_NE(application.find(line), std::string::npos) << line << "\n" << application;
  const std::string profile = FileText("profile.ini");
  for (const char* line : {"[Vantry]", "SaveDir=/home/u/copies", "ServerToDelete=www.example.com", "FilesToCopy=*.gif",
                           "CopyDirectory=/home/u/cache2"})
    EXPECT_NE(profile.find(line), std::string::npos) << line << "\n" << profile;
}

TEST_F(AppSettingsTest, TheTwoSaveDirsStayApart) {
  Write(app(), ops::kSaveDir, "/from/save");
  EXPECT_EQ(Read(profile(), ops::kCopySaveDir), "");
  Write(profile(), ops::kCopySaveDir, "/from/copy");
  EXPECT_EQ(Read(app(), ops::kSaveDir), "/from/save");
}

TEST_F(AppSettingsTest, BarStateRoundTripsAsBytes) {
  const QByteArray state("\x00\x01layout\xff", 10);
  settings_.SetBarState(state);
  EXPECT_EQ(settings_.BarState(), state);
}

TEST_F(AppSettingsTest, ANumberThatIsNoNumberGivesTheDefault) {
  QFile file(Path("OfflineVantry.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Settings]\nWhatFind=abc\nDate_Format=\n");
  file.close();
  EXPECT_EQ(Read(app(), ops::kWhatFind), 1);
  EXPECT_EQ(Read(app(), ops::kDateFormat), 0);
  EXPECT_EQ(Read(app(), ops::kDateFormatShownByPreferences), 1);
}

TEST(AppSettingsLocationTest, UserStoresLieTogetherUnderOrlenvik) {
  AppSettings settings;
  EXPECT_TRUE(settings.applicationFile().endsWith("/Orlenvik/OfflineVantry.ini"))
      << settings.applicationFile().toStdString();
  EXPECT_TRUE(settings.profileFile().endsWith("/Orlenvik/profile.ini"));
  const QByteArray config = qgetenv("XDG_CONFIG_HOME");
  if (!config.isEmpty()) {
    EXPECT_TRUE(settings.applicationFile().startsWith(QString::fromLocal8Bit(config)));
  }
}

}  // namespace

}  // namespace vantry::app

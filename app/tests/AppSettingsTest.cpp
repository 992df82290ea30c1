#include "app/AppSettings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "testing/StoreTestSupport.h"

namespace vantry::app {

namespace {

class AppSettingsTest : public ::testing::Test {
 protected:
  QString Path(const char* name) const { return QString::fromStdString((folder_.path() / name).string()); }
  std::string FileText(const char* name) const {
    QFile file(Path(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
  }

  testing::TempFolder folder_;
  AppSettings settings_{Path("OfflineVantry.ini"), Path("profile.ini")};
};

TEST_F(AppSettingsTest, MissingKeysGiveTheirDefaults) {
  EXPECT_EQ(settings_.SaveDir(), "");
  EXPECT_EQ(settings_.WhatFind(), 1);
  EXPECT_EQ(settings_.DateFormat(), 0);
  EXPECT_EQ(settings_.DateFormatForPreferences(), 1);
  EXPECT_TRUE(settings_.BarState().isEmpty());
  EXPECT_EQ(settings_.CopySaveDir(), "");
  EXPECT_EQ(settings_.ServerToDelete(), "");
  EXPECT_EQ(settings_.FilesToCopy(), "*.*");
  EXPECT_EQ(settings_.CopyDirectory(), QDir::homePath().toStdString() + "/cache");
}

TEST_F(AppSettingsTest, ValuesGoToTheirStoreSectionAndKey) {
  settings_.SetSaveDir("/home/u/saved");
  settings_.SetWhatFind(6);
  settings_.SetDateFormat(2);
  settings_.SetCopySaveDir("/home/u/copies");
  settings_.SetServerToDelete("www.example.com");
  settings_.SetFilesToCopy("*.gif");
  settings_.SetCopyDirectory("/home/u/cache2");

  EXPECT_EQ(settings_.SaveDir(), "/home/u/saved");
  EXPECT_EQ(settings_.WhatFind(), 6);
  EXPECT_EQ(settings_.DateFormat(), 2);
  EXPECT_EQ(settings_.DateFormatForPreferences(), 2);
  EXPECT_EQ(settings_.CopySaveDir(), "/home/u/copies");
  EXPECT_EQ(settings_.ServerToDelete(), "www.example.com");
  EXPECT_EQ(settings_.FilesToCopy(), "*.gif");
  EXPECT_EQ(settings_.CopyDirectory(), "/home/u/cache2");

  const std::string application = FileText("OfflineVantry.ini");
  for (const char* line : {"[Vantry]\nSaveDir=/home/u/saved", "[Settings]", "WhatFind=6", "Date_Format=2"})
    EXPECT_NE(application.find(line), std::string::npos) << line << "\n" << application;
  const std::string profile = FileText("profile.ini");
  for (const char* line : {"[Vantry]", "SaveDir=/home/u/copies", "ServerToDelete=www.example.com",
                           "FilesToCopy=*.gif", "CopyDirectory=/home/u/cache2"})
    EXPECT_NE(profile.find(line), std::string::npos) << line << "\n" << profile;
}

TEST_F(AppSettingsTest, TheTwoSaveDirsStayApart) {
  settings_.SetSaveDir("/from/save");
  EXPECT_EQ(settings_.CopySaveDir(), "");
  settings_.SetCopySaveDir("/from/copy");
  EXPECT_EQ(settings_.SaveDir(), "/from/save");
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
  EXPECT_EQ(settings_.WhatFind(), 1);
  EXPECT_EQ(settings_.DateFormat(), 0);
  EXPECT_EQ(settings_.DateFormatForPreferences(), 1);
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

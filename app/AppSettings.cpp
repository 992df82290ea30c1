#include "app/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "qtutil/ByteText.h"

namespace vantry::app {

namespace {

constexpr char kSaveDir[] = "Vantry/SaveDir";
constexpr char kWhatFind[] = "Settings/WhatFind";
constexpr char kDateFormat[] = "Settings/Date_Format";
constexpr char kBarState[] = "Bar_State";
constexpr char kCopySaveDir[] = "Vantry/SaveDir";
constexpr char kServerToDelete[] = "Vantry/ServerToDelete";
constexpr char kFilesToCopy[] = "Vantry/FilesToCopy";
constexpr char kCopyDirectory[] = "Vantry/CopyDirectory";

std::string ReadText(const QString& file, const char* key, const QString& fallback) {
  QSettings store(file, QSettings::IniFormat);
  return store.value(QLatin1String(key), fallback).toString().toStdString();
}

void WriteText(const QString& file, const char* key, std::string_view text) {
  QSettings store(file, QSettings::IniFormat);
  store.setValue(QLatin1String(key), qtutil::QStringFromBytes(text));
}

int ReadNumber(const QString& file, const char* key, int fallback) {
  QSettings store(file, QSettings::IniFormat);
  bool ok = false;
  int value = store.value(QLatin1String(key)).toInt(&ok);
  return ok ? value : fallback;
}

void WriteNumber(const QString& file, const char* key, int value) {
  QSettings store(file, QSettings::IniFormat);
  store.setValue(QLatin1String(key), value);
}

QString UserApplicationFile() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orlenvik"),
                   QStringLiteral("OfflineVantry"))
      .fileName();
}

}  // namespace

AppSettings::AppSettings()
    : AppSettings(UserApplicationFile(),
                  QFileInfo(UserApplicationFile()).dir().filePath(QStringLiteral("profile.ini"))) {}

AppSettings::AppSettings(QString applicationFile, QString profileFile)
    : applicationFile_(std::move(applicationFile)), profileFile_(std::move(profileFile)) {}

std::string AppSettings::SaveDir() const { return ReadText(applicationFile_, kSaveDir, {}); }
void AppSettings::SetSaveDir(std::string_view folder) { WriteText(applicationFile_, kSaveDir, folder); }
int AppSettings::WhatFind() const { return ReadNumber(applicationFile_, kWhatFind, 1); }
void AppSettings::SetWhatFind(int mask) { WriteNumber(applicationFile_, kWhatFind, mask); }
int AppSettings::DateFormat() const { return ReadNumber(applicationFile_, kDateFormat, 0); }
int AppSettings::DateFormatForPreferences() const { return ReadNumber(applicationFile_, kDateFormat, 1); }
void AppSettings::SetDateFormat(int format) { WriteNumber(applicationFile_, kDateFormat, format); }

QByteArray AppSettings::BarState() const {
  return QSettings(applicationFile_, QSettings::IniFormat).value(QLatin1String(kBarState)).toByteArray();
}

void AppSettings::SetBarState(const QByteArray& state) {
  QSettings(applicationFile_, QSettings::IniFormat).setValue(QLatin1String(kBarState), state);
}

std::string AppSettings::CopySaveDir() const { return ReadText(profileFile_, kCopySaveDir, {}); }
void AppSettings::SetCopySaveDir(std::string_view folder) { WriteText(profileFile_, kCopySaveDir, folder); }
std::string AppSettings::ServerToDelete() const { return ReadText(profileFile_, kServerToDelete, {}); }
void AppSettings::SetServerToDelete(std::string_view server) {
  WriteText(profileFile_, kServerToDelete, server);
}
std::string AppSettings::FilesToCopy() const {
  return ReadText(profileFile_, kFilesToCopy, QStringLiteral("*.*"));
}
void AppSettings::SetFilesToCopy(std::string_view pattern) { WriteText(profileFile_, kFilesToCopy, pattern); }
std::string AppSettings::CopyDirectory() const {
  return ReadText(profileFile_, kCopyDirectory, QDir::homePath() + QStringLiteral("/cache"));
}
void AppSettings::SetCopyDirectory(std::string_view folder) {
  WriteText(profileFile_, kCopyDirectory, folder);
}

}  // namespace vantry::app

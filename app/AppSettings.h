#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace vantry::app {

// The program's two settings stores, with every key and its default in one place:
// the per-user application settings (Orlenvik/OfflineVantry) and the profile file beside
// it (section "Vantry"). Each value is read when asked for and written at once; nothing is
// kept here. The two "SaveDir" values are separate keys of separate files.
class AppSettings {
 public:
  // The user's stores: $XDG_CONFIG_HOME/Orlenvik/OfflineVantry.ini and .../profile.ini.
  AppSettings();
  // Stores in the given INI files (for tests).
  AppSettings(QString applicationFile, QString profileFile);

  const QString& applicationFile() const { return applicationFile_; }
  const QString& profileFile() const { return profileFile_; }

  // Application settings.
  std::string SaveDir() const;  // "Vantry/SaveDir", default empty
  void SetSaveDir(std::string_view folder);
  int WhatFind() const;  // "Settings/WhatFind", default 1
  void SetWhatFind(int mask);
  // "Settings/Date_Format": dates assume 0 when nothing is stored, the Preferences dialog 1.
  int DateFormat() const;
  int DateFormatForPreferences() const;
  void SetDateFormat(int format);
  QByteArray BarState() const;  // "Bar_State", empty when never saved
  void SetBarState(const QByteArray& state);

  // Profile file, section "Vantry".
  std::string CopySaveDir() const;  // "SaveDir", default empty
  void SetCopySaveDir(std::string_view folder);
  std::string ServerToDelete() const;  // default empty
  void SetServerToDelete(std::string_view server);
  std::string FilesToCopy() const;  // default "*.*"
  void SetFilesToCopy(std::string_view pattern);
  std::string CopyDirectory() const;  // default $HOME/cache
  void SetCopyDirectory(std::string_view folder);

 private:
  QString applicationFile_;
  QString profileFile_;
};

}  // namespace vantry::app

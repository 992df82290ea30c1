#pragma once

#include <QByteArray>
#include <QString>

#include "ops/dialogs/QtCommandServices.h"

namespace vantry::app {

// The program's two settings stores: the per-user application settings (Orlenvik/OfflineVantry)
// and the profile file beside it (section "Vantry"). Their keys and defaults are those of
// ops/SettingKeys.h.
class AppSettings {
 public:
  // The user's stores: $XDG_CONFIG_HOME/Orlenvik/OfflineVantry.ini and .../profile.ini.
  AppSettings();
  // Stores in the given INI files.
  AppSettings(QString applicationFile, QString profileFile);

  const QString& applicationFile() const { return application_.file(); }
  const QString& profileFile() const { return profile_.file(); }
  ops::SettingsStore& application() { return application_; }
  ops::SettingsStore& profile() { return profile_; }

  // Hands the stored date format to the dates, which parse and show with it; a value that
  // names no format leaves format 0.
  void ApplyDateFormat();

  // The frame's bar layout as saved; empty when never saved.
  QByteArray BarState() const;
  void SetBarState(const QByteArray& state);

 private:
  ops::QSettingsStore application_;
  ops::QSettingsStore profile_;
};

}  // namespace vantry::app

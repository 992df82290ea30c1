#include "app/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "dates/DateFormatPreference.h"
#include "ops/SettingKeys.h"
#include "ops/dialogs/PreferencesDialog.h"

namespace vantry::app {

namespace {

QString UserApplicationFile() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orlenvik"),
                   QStringLiteral("OfflineVantry"))
      .fileName();
}

QString BarStateKey() { return QString::fromUtf8(ops::kBarState.key.data(), ops::kBarState.key.size()); }

}  // namespace

AppSettings::AppSettings()
    : AppSettings(UserApplicationFile(),
                  QFileInfo(UserApplicationFile()).dir().filePath(QStringLiteral("profile.ini"))) {}

AppSettings::AppSettings(QString applicationFile, QString profileFile)
    : application_(std::move(applicationFile)), profile_(std::move(profileFile)) {}

void AppSettings::ApplyDateFormat() {
  const int stored = ops::Read(application_, ops::kDateFormat);
  dates::SetDateFormatPreference(ops::IsDateFormat(stored) ? stored : 0);
}

QByteArray AppSettings::BarState() const {
  return QSettings(applicationFile(), QSettings::IniFormat).value(BarStateKey()).toByteArray();
}

void AppSettings::SetBarState(const QByteArray& state) {
  QSettings(applicationFile(), QSettings::IniFormat).setValue(BarStateKey(), state);
}

}  // namespace vantry::app

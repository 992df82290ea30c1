#include "ops/dialogs/QtCommandServices.h"

#include <QApplication>
#include <QMessageBox>

#include "qtutil/ByteText.h"

namespace vantry::ops {
namespace {

QString SettingsKey(std::string_view section, std::string_view key) {
  return qtutil::QStringFromBytes(section) + "/" + qtutil::QStringFromBytes(key);
}

}  // namespace

ArrowWhileAsking::ArrowWhileAsking() { QApplication::setOverrideCursor(Qt::ArrowCursor); }

ArrowWhileAsking::~ArrowWhileAsking() { QApplication::restoreOverrideCursor(); }

void MessageBoxPrompt::Tell(const std::string& text, const std::string& title) {
  ArrowWhileAsking arrow;
  QMessageBox::information(owner_, qtutil::QStringFromBytes(title), qtutil::QStringFromBytes(text));
}

bool MessageBoxPrompt::AskYesNo(const std::string& text, const std::string& title) {
  ArrowWhileAsking arrow;
  return QMessageBox::question(owner_, qtutil::QStringFromBytes(title), qtutil::QStringFromBytes(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

OverrideWaitCursor::~OverrideWaitCursor() {
  while (shown_ > 0) Restore();
}

void OverrideWaitCursor::Show() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++shown_;
}

void OverrideWaitCursor::Restore() {
  if (shown_ == 0) return;
  QApplication::restoreOverrideCursor();
  --shown_;
}

std::string QSettingsStore::ReadText(std::string_view section, std::string_view key, std::string_view fallback) const {
  const QVariant value = QSettings(file_, QSettings::IniFormat).value(SettingsKey(section, key));
  return value.isValid() ? qtutil::BytesFromQString(value.toString()) : std::string(fallback);
}

int QSettingsStore::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  bool ok = false;
  const int value = QSettings(file_, QSettings::IniFormat).value(SettingsKey(section, key)).toInt(&ok);
  return ok ? value : fallback;
}

void QSettingsStore::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  QSettings(file_, QSettings::IniFormat).setValue(SettingsKey(section, key), qtutil::QStringFromBytes(value));
}

void QSettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  QSettings(file_, QSettings::IniFormat).setValue(SettingsKey(section, key), value);
}

}  // namespace vantry::ops

#pragma once

#include <QSettings>
#include <QWidget>

#include "ops/CommandServices.h"

// The window layer's side of the commands' service interfaces.
namespace vantry::ops {

// While it lives, the arrow replaces a wait cursor that a command has shown, so that a
// box or dialog asking the user in the middle of a command is not shown busy.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking();
  ~ArrowWhileAsking();
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;
};

// Modal message boxes; questions have Yes and No buttons.
class MessageBoxPrompt : public archive::UserPrompt {
 public:
  explicit MessageBoxPrompt(QWidget* owner) : owner_(owner) {}
  void Tell(const std::string& text, const std::string& title) override;
  bool AskYesNo(const std::string& text, const std::string& title) override;

 private:
  QWidget* owner_;
};

// The application's override cursor; Restore only undoes what Show did.
class OverrideWaitCursor : public BusyCursor {
 public:
  ~OverrideWaitCursor() override;
  void Show() override;
  void Restore() override;

 private:
  int shown_ = 0;
};

// A settings store over one INI file (application settings or the profile file). Each value
// is read when asked for and written at once; nothing is kept here.
class QSettingsStore : public SettingsStore {
 public:
  explicit QSettingsStore(QString file) : file_(std::move(file)) {}
  const QString& file() const { return file_; }
  std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;

 private:
  QString file_;
};

}  // namespace vantry::ops

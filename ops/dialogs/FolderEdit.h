#pragma once

#include <functional>
#include <optional>

#include <QLineEdit>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include "archive/UserPrompt.h"

namespace vantry::ops {

// How the folder picker looks: 0 the desktop's folder picker, 1 Qt's own dialog.
enum class FolderPickerMode { Shell = 0, Classic = 1 };

// Asks the user for a folder, starting at `current`, with `prompt` as the title; nothing
// when the user cancels.
std::optional<QString> FolderBrowse(const QString& current, QWidget* owner, FolderPickerMode mode,
                                    const QString& prompt);

// A folder field: an edit with a "..." button to its right that opens the folder picker.
// The text is shown and read without a trailing "/".
class FolderEdit : public QWidget {
  Q_OBJECT

 public:
  using Picker = std::function<std::optional<QString>(const QString& current, QWidget* owner, FolderPickerMode mode,
                                                      const QString& prompt)>;

  FolderEdit(const QString& prompt, QWidget* parent = nullptr);

  void SetFolder(const std::string& folder);
  std::string Folder() const;

  // With `mustExist` the folder must be an existing directory, without it it must not be
  // one. A rejected folder is told and gets the focus; returns whether it was accepted.
  bool Validate(bool mustExist, archive::UserPrompt& prompt);

  void SetPickerMode(FolderPickerMode mode) { mode_ = mode; }
  // Replaces the folder picker (tests answer it without a window).
  void SetPicker(Picker picker) { picker_ = std::move(picker); }

  QLineEdit* edit() const { return edit_; }
  QToolButton* browseButton() const { return button_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Browse();

  QString prompt_;
  FolderPickerMode mode_ = FolderPickerMode::Shell;
  Picker picker_ = FolderBrowse;
  QLineEdit* edit_;
  QToolButton* button_;
};

}  // namespace vantry::ops

#pragma once

#include <QDialog>

class QButtonGroup;

namespace vantry::ops {

// The four date formats, by the value stored in the "Date_Format" setting.
inline bool IsDateFormat(int value) { return value >= 0 && value <= 3; }

// "Set Preferences": one radio button per date format. It holds the selected value, which
// a click changes at once; a value that names no format selects no button.
class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  PreferencesDialog(int selectedFormat, QWidget* parent);
  int selectedFormat() const { return selected_; }

 private:
  int selected_;
  QButtonGroup* formats_;
};

}  // namespace vantry::ops

#pragma once

#include <QDialog>

namespace vantry::app {

// "About Vantry": the program, its version, what it is for, and a mail link.
class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent);
};

inline constexpr char kContactAddress[] = "vantry@orlenvik.org";

}  // namespace vantry::app

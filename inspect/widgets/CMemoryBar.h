#pragma once

#include <functional>

#include <QWidget>

class QLabel;
class QLineEdit;

namespace vantry::inspect {

class HexView;

// The "Memory" bar's content (the main window puts it into a dock): the label
// "&Address:", a masked address field and the hex view that shows an address's cookie
// text byte by byte.
class CMemoryBar : public QWidget {
  Q_OBJECT

 public:
  // `beep` sounds the default beep; tests pass their own.
  explicit CMemoryBar(QWidget* parent = nullptr, std::function<void()> beep = {});

  // Beeps, shows a copy of `count` bytes (0 and nullptr clear the view) and sets the
  // address field's default to the count in lower-case hexadecimal.
  void ShowBytes(int count, const char* bytes);

  HexView* View() const { return view_; }
  QLineEdit* AddressField() const { return address_; }
  // The address field's current default, e.g. "14" after 20 bytes.
  const QString& AddressDefault() const { return addressDefault_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyAddressDefault();

  std::function<void()> beep_;
  HexView* view_;
  QLineEdit* address_;
  QLabel* label_;
  QString addressDefault_ = QStringLiteral("00000000");
};

}  // namespace vantry::inspect

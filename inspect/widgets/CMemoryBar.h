#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QWidget>

class QLabel;
class QLineEdit;

namespace vantry::inspect {

class HexView;

// The "Memory" bar's content (the main window puts it into a dock): the label
// "&Address:", a masked address field and the hex view that shows an address's cookie
// text, or an entry's cached file, byte by byte. Enter in the field moves the view's caret
// to the address typed.
class CMemoryBar : public QWidget {
  Q_OBJECT

 public:
  // `beep` sounds the default beep; tests pass their own.
  explicit CMemoryBar(QWidget* parent = nullptr, std::function<void()> beep = {});

  // Beeps, shows a copy of `count` bytes (0 and nullptr clear the view) and sets the
  // address field's default to the count in lower-case hexadecimal.
  void ShowBytes(int count, const char* bytes);
  // Beeps and shows the first kFileStartShown bytes of the file at `path` (nothing when it
  // cannot be read), read when the bar is next visible. Edits stay in the view.
  void ShowFile(const std::string& path);
  static constexpr int kFileStartShown = 1 << 20;

  HexView* View() const { return view_; }
  QLineEdit* AddressField() const { return address_; }
  // The address field's current default, e.g. "14" after 20 bytes.
  const QString& AddressDefault() const { return addressDefault_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ShowData(std::string_view bytes);
  void ApplyAddressDefault();
  void LoadPendingFile();
  void GoToTypedAddress();

  std::function<void()> beep_;
  HexView* view_;
  QLineEdit* address_;
  QLabel* label_;
  QString addressDefault_ = QStringLiteral("00000000");
  std::optional<std::string> pendingFile_;
};

}  // namespace vantry::inspect

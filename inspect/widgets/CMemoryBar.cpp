#include "inspect/widgets/CMemoryBar.h"

#include <climits>

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>

#include "files/WholeFile.h"
#include "inspect/widgets/HexView.h"

namespace vantry::inspect {

namespace {

// "0x" as literal characters, then eight hexadecimal digits shown as "_" until typed.
const QString kAddressMask = QStringLiteral("\\0\\xHHHHHHHH;_");

constexpr char kFirstBytes[] = {0x00, 0x01, 0x02, 0x03};

}  // namespace

CMemoryBar::CMemoryBar(QWidget* parent, std::function<void()> beep)
    : QWidget(parent),
      beep_(beep ? std::move(beep) : [] { QApplication::beep(); }),
      view_(new HexView(this)),
      address_(new QLineEdit(this)),
      label_(new QLabel(tr("&Address:"), this)) {
  setAccessibleName(tr("Memory"));
  view_->SetDataKeepingColumn(kFirstBytes, sizeof kFirstBytes);
  address_->setAccessibleName(tr("Address"));
  address_->setFrame(true);
  ApplyAddressDefault();
  label_->setBuddy(address_);
  connect(address_, &QLineEdit::returnPressed, this, &CMemoryBar::GoToTypedAddress);
}

void CMemoryBar::ShowBytes(int count, const char* bytes) {
  beep_();
  pendingFile_.reset();
  ShowData(std::string_view(bytes, bytes != nullptr && count > 0 ? count : 0));
}

void CMemoryBar::ShowFile(const std::string& path) {
  beep_();
  pendingFile_ = path;
  if (isVisible()) LoadPendingFile();
}

// A hidden bar reads nothing: browsing with the bar closed costs no file reads.
void CMemoryBar::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  LoadPendingFile();
}

void CMemoryBar::LoadPendingFile() {
  if (!pendingFile_) return;
  std::optional<std::string> bytes = files::ReadFileStart(*pendingFile_, kFileStartShown);
  pendingFile_.reset();
  ShowData(bytes.value_or(std::string()));
}

void CMemoryBar::ShowData(std::string_view bytes) {
  view_->SetData(bytes.data(), static_cast<int>(bytes.size()));
  addressDefault_ = QString::asprintf("%x", static_cast<unsigned>(bytes.size()));
  ApplyAddressDefault();
}

void CMemoryBar::GoToTypedAddress() {
  QString digits = address_->text().mid(2);  // after the literal "0x"
  bool ok = false;
  const uint address = digits.toUInt(&ok, 16);
  if (!ok) return;
  view_->GoTo(static_cast<int>(std::min<uint>(address, INT_MAX)));
  view_->setFocus(Qt::OtherFocusReason);
}

void CMemoryBar::ApplyAddressDefault() {
  address_->setInputMask(kAddressMask);
  address_->setText(QStringLiteral("0x") + addressDefault_);
}

void CMemoryBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  auto* dock = qobject_cast<QDockWidget*>(parentWidget());
  int inset = dock != nullptr && dock->isFloating() ? 2 : 0;
  QRect area = rect().adjusted(inset, inset, -inset, -inset);
  // The label is as wide as its text needs, so a larger font does not cut it off.
  const int labelWidth = std::max(45, label_->sizeHint().width());
  label_->setGeometry(area.left() + 2, area.top() + 2, labelWidth, 20);
  address_->setGeometry(area.left() + labelWidth + 2, area.top(), std::max(0, area.width() - labelWidth - 2), 20);
  view_->setGeometry(area.left(), area.top() + 23, area.width(), std::max(0, area.height() - 23));
}

}  // namespace vantry::inspect

#include "inspect/widgets/CMemoryBar.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>

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
}

void CMemoryBar::ShowBytes(int count, const char* bytes) {
  beep_();
  view_->SetData(bytes, count);
  addressDefault_ = QString::asprintf("%x", static_cast<unsigned>(std::max(0, count)));
  ApplyAddressDefault();
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

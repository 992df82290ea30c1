#include "ops/dialogs/PreferencesDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vantry::ops {

namespace {

struct FormatChoice {
  int controlId;
  const char* text;
};
// In the order of their values 0 to 3.
constexpr FormatChoice kChoices[] = {
    {4051, "Set Date Format to MMDDYY"},
    {4052, "Set Date Format to DDMMYY"},
    {4053, "Set Date Format to MMDDYYYY"},
    {4054, "Set Date Format to DDMMYYYY"},
};

}  // namespace

PreferencesDialog::PreferencesDialog(int selectedFormat, QWidget* parent)
    : QDialog(parent), selected_(selectedFormat), formats_(new QButtonGroup(this)) {
  setWindowTitle(QStringLiteral("Set Preferences"));
  auto* group = new QGroupBox(tr("Date format"), this);
  auto* choices = new QVBoxLayout(group);
  for (int value = 0; value < 4; ++value) {
    auto* radio = new QRadioButton(QString::fromLatin1(kChoices[value].text), group);
    radio->setObjectName(QStringLiteral("Format%1").arg(kChoices[value].controlId));
    radio->setChecked(value == selectedFormat);
    formats_->addButton(radio, value);
    choices->addWidget(radio);
  }
  connect(formats_, &QButtonGroup::idClicked, this, [this](int value) { selected_ = value; });

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  // Cancel in the words of the platform.
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
}

}  // namespace vantry::ops

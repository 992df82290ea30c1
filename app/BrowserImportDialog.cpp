#include "app/BrowserImportDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qtutil/ByteText.h"

namespace vantry::app {

BrowserImportDialog::BrowserImportDialog(const std::vector<import::ProfileOffer>& offers, QWidget* parent)
    : QDialog(parent),
      profiles_(new QTreeWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setWindowTitle(QStringLiteral("Import from browser"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Import the cache, history and cookies of these browser profiles:"), this));
  profiles_->setHeaderLabels({QStringLiteral("Browser"), QStringLiteral("Profile"), QStringLiteral("Cache size")});
  profiles_->setRootIsDecorated(false);
  profiles_->setAccessibleName(QStringLiteral("Browser profiles"));
  for (const import::ProfileOffer& offer : offers) {
    auto* item = new QTreeWidgetItem(
        profiles_, {qtutil::QStringFromBytes(offer.profile.browser), qtutil::QStringFromBytes(offer.profile.name),
                    QString::fromStdString(import::ByteSizeText(offer.cacheBytes))});
    item->setToolTip(1, QString::fromStdString(offer.profile.folder.string()));
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setCheckState(0, Qt::Checked);
  }
  profiles_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(profiles_);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Import"));
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(profiles_, &QTreeWidget::itemChanged, this, &BrowserImportDialog::EnableImport);
  resize(560, 320);
}

std::vector<size_t> BrowserImportDialog::Chosen() const {
  std::vector<size_t> chosen;
  for (int row = 0; row < profiles_->topLevelItemCount(); ++row)
    if (profiles_->topLevelItem(row)->checkState(0) == Qt::Checked) chosen.push_back(static_cast<size_t>(row));
  return chosen;
}

void BrowserImportDialog::EnableImport() { buttons_->button(QDialogButtonBox::Ok)->setEnabled(!Chosen().empty()); }

}  // namespace vantry::app

#include "ops/dialogs/FindDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "cache/lists/ShowMask.h"
#include "dates/DateField.h"
#include "dates/DateFormatPreference.h"
#include "ops/dialogs/CopyDialogs.h"
#include "qtutil/ByteText.h"

namespace vantry::ops {
namespace {

QButtonGroup* ExclusiveGroup(QWidget* owner, std::initializer_list<QRadioButton*> buttons) {
  auto* group = new QButtonGroup(owner);
  for (QRadioButton* button : buttons) group->addButton(button);
  return group;
}

}  // namespace

FindFilesDialog::FindFilesDialog(const FindFilesChoice& choice, archive::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      prompt_(prompt),
      dateFormat_(choice.dateFormat),
      mask_(choice.showMask),
      name_(new QLineEdit(this)),
      date_(new QLineEdit(this)),
      toDate_(new QLineEdit(this)),
      thirdDate_(new QLineEdit(this)),
      byName_(new QRadioButton("Find by name", this)),
      byDate_(new QRadioButton("Find by date", this)),
      before_(new QRadioButton("before", this)),
      laterThan_(new QRadioButton("later than", this)),
      exactlyAt_(new QRadioButton("exactly at", this)),
      between_(new QRadioButton("between", this)) {
  setWindowTitle("Find files");
  ExclusiveGroup(this, {byName_, byDate_});
  ExclusiveGroup(this, {before_, laterThan_, exactlyAt_, between_});

  auto* show = new QGroupBox("Show:", this);
  auto* showLayout = new QGridLayout(show);
  AddShowBox(show, "Html-Files", cache::ShowMask::kHtml);
  AddShowBox(show, "Plain Text Files", cache::ShowMask::kText);
  AddShowBox(show, "Image Files", cache::ShowMask::kImage);
  AddShowBox(show, "Audio Files", cache::ShowMask::kAudio);
  AddShowBox(show, "Application Files", cache::ShowMask::kApplication);
  AddShowBox(show, "Misc Files", cache::ShowMask::kMisc);
  AddShowBox(show, "Style Sheet Files", cache::ShowMask::kStyleSheet);
  AddShowBox(show, "Cookie Files", cache::ShowMask::kCookie);
  AddShowBox(show, "All sticky files", cache::ShowMask::kSticky);
  for (size_t i = 0; i < showBoxes_.size(); ++i) {
    showLayout->addWidget(showBoxes_[i].box, static_cast<int>(i / 3), static_cast<int>(i % 3));
  }
  formatName_ = new QLabel(qtutil::QStringFromBytes(dates::DateFormatName(dateFormat_)), this);
  buttons_ = MakeOkCancel(this);

  auto* grid = new QGridLayout;
  grid->addWidget(name_, 0, 0, 1, 3);
  grid->addWidget(byName_, 0, 3);
  grid->addWidget(byDate_, 1, 3);
  grid->addWidget(before_, 1, 0);
  grid->addWidget(laterThan_, 1, 1);
  grid->addWidget(exactlyAt_, 1, 2);
  grid->addWidget(between_, 2, 0);
  grid->addWidget(date_, 2, 1);
  grid->addWidget(new QLabel("and", this), 2, 2);
  grid->addWidget(toDate_, 2, 3);
  grid->addWidget(thirdDate_, 3, 1);
  grid->addWidget(formatName_, 3, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(show);
  layout->addWidget(buttons_);

  name_->setText(qtutil::QStringFromBytes(choice.name));
  date_->setText(qtutil::QStringFromBytes(choice.date));
  toDate_->setText(qtutil::QStringFromBytes(choice.toDate));
  thirdDate_->setText(qtutil::QStringFromBytes(choice.thirdDate));
  byName_->setChecked(choice.byName);
  byDate_->setChecked(choice.byDate && !choice.byName);
  before_->setChecked(choice.before);
  laterThan_->setChecked(choice.laterThan);
  exactlyAt_->setChecked(choice.exactlyAt);
  between_->setChecked(choice.between);
  name_->setFocus();
}

void FindFilesDialog::AddShowBox(QWidget* group, const char* text, uint32_t bit) {
  auto* box = new QCheckBox(text, group);
  box->setChecked((mask_ & bit) != 0);
  // Each click flips its own bit; bits of no box are kept as they came.
  connect(box, &QCheckBox::toggled, this, [this, bit] { mask_ ^= bit; });
  showBoxes_.push_back({box, bit});
}

FindFilesChoice FindFilesDialog::Choice() const {
  FindFilesChoice choice;
  choice.name = qtutil::BytesFromQString(name_->text());
  choice.byName = byName_->isChecked();
  choice.byDate = byDate_->isChecked();
  choice.before = before_->isChecked();
  choice.laterThan = laterThan_->isChecked();
  choice.exactlyAt = exactlyAt_->isChecked();
  choice.between = between_->isChecked();
  choice.date = qtutil::BytesFromQString(date_->text());
  choice.toDate = qtutil::BytesFromQString(toDate_->text());
  choice.thirdDate = qtutil::BytesFromQString(thirdDate_->text());
  choice.showMask = mask_;
  choice.dateFormat = dateFormat_;
  return choice;
}

void FindFilesDialog::accept() {
  for (QLineEdit* field : {date_, toDate_, thirdDate_}) {
    const dates::DateFieldCheck check = dates::CheckDateField(qtutil::BytesFromQString(field->text()), dateFormat_ + 1);
    field->setText(qtutil::QStringFromBytes(check.text));
    if (!check.Accepted()) {
      prompt_.Tell(check.message, "");
      field->setFocus();
      return;
    }
  }
  QDialog::accept();
}

SearchTextDialog::SearchTextDialog(const SearchTextChoice& choice, QWidget* parent)
    : QDialog(parent),
      text_(new QLineEdit(this)),
      searchCache_(new QCheckBox("Search all files in cache", this)),
      searchLocalCopies_(new QCheckBox("Search all files in local copy", this)),
      searchCommentFields_(new QCheckBox("Search comment field of local copies", this)),
      searchAddressFields_(new QCheckBox("Search address field of local copies", this)),
      caseSensitive_(new QCheckBox("case sensitive", this)),
      buttons_(MakeOkCancel(this)) {
  setWindowTitle("Search files for text");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Text to search for:", this));
  for (QWidget* control : std::initializer_list<QWidget*>{text_, searchCache_, searchLocalCopies_, searchCommentFields_,
                                                          searchAddressFields_, caseSensitive_, buttons_})
    layout->addWidget(control);
  text_->setText(qtutil::QStringFromBytes(choice.text));
  searchCache_->setChecked(choice.searchCache);
  searchLocalCopies_->setChecked(choice.searchLocalCopies);
  searchCommentFields_->setChecked(choice.searchCommentFields);
  searchAddressFields_->setChecked(choice.searchAddressFields);
  caseSensitive_->setChecked(choice.caseSensitive);
  text_->setFocus();
}

SearchTextChoice SearchTextDialog::Choice() const {
  return {qtutil::BytesFromQString(text_->text()), searchCache_->isChecked(),         searchLocalCopies_->isChecked(),
          searchCommentFields_->isChecked(),       searchAddressFields_->isChecked(), caseSensitive_->isChecked()};
}

}  // namespace vantry::ops

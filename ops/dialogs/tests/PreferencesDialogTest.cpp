#include "ops/dialogs/PreferencesDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vantry::ops {

namespace {

QList<QRadioButton*> Radios(const PreferencesDialog& dialog) { return dialog.findChildren<QRadioButton*>(); }

QPushButton* Button(const PreferencesDialog& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

// The platform's own word for Cancel (the dialog's OK keeps its given text).
QString PlatformCancelText() {
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(PreferencesDialogTest, ShowsTheFourFormatsInOrderWithOkAndThePlatformsCancel) {
  PreferencesDialog dialog(0, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Set Preferences");
  QStringList texts;
  for (QRadioButton* radio : Radios(dialog)) texts << radio->text();
  EXPECT_EQ(texts, (QStringList{"Set Date Format to MMDDYY", "Set Date Format to DDMMYY", "Set Date Format to MMDDYYYY",
                                "Set Date Format to DDMMYYYY"}));
  EXPECT_NE(Button(dialog, "OK"), nullptr);
  EXPECT_NE(Button(dialog, PlatformCancelText()), nullptr);
  EXPECT_EQ(Button(dialog, "Abbrechen"), nullptr);
}

TEST(PreferencesDialogTest, TheGivenValueIsSelectedAndAClickChangesItAtOnce) {
  for (int value = 0; value < 4; ++value) {
    PreferencesDialog dialog(value, nullptr);
    QList<QRadioButton*> radios = Radios(dialog);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(radios[i]->isChecked(), i == value) << value << " " << i;
    const int other = (value + 2) % 4;
    QTest::mouseClick(radios[other], Qt::LeftButton);
    EXPECT_EQ(dialog.selectedFormat(), other);
  }
}

TEST(PreferencesDialogTest, AValueThatNamesNoFormatSelectsNothing) {
  for (int value : {-1, 4, 99}) {
    PreferencesDialog dialog(value, nullptr);
    for (QRadioButton* radio : Radios(dialog)) EXPECT_FALSE(radio->isChecked()) << value;
    EXPECT_EQ(dialog.selectedFormat(), value);
  }
  EXPECT_FALSE(IsDateFormat(-1));
  EXPECT_TRUE(IsDateFormat(0));
  EXPECT_TRUE(IsDateFormat(3));
  EXPECT_FALSE(IsDateFormat(4));
}

TEST(PreferencesDialogTest, OkAcceptsAndCancelRejects) {
  for (const QString& button : {QString("OK"), PlatformCancelText()}) {
    PreferencesDialog dialog(1, nullptr);
    dialog.show();
    QTest::mouseClick(Button(dialog, button), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), button == "OK" ? QDialog::Accepted : QDialog::Rejected) << button.toStdString();
  }
}

}  // namespace

}  // namespace vantry::ops

#include "ops/dialogs/FindDialog.h"

#include <QLabel>
#include <gtest/gtest.h>

#include "cache/lists/ShowMask.h"
#include "ops/dialogs/tests/DialogTestSupport.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

FindFilesChoice WithMask(uint32_t mask, int dateFormat = 0) {
  FindFilesChoice choice;
  choice.showMask = mask;
  choice.dateFormat = dateFormat;
  return choice;
}

TEST(FindFilesDialogTest, OpensByNameWithTheMaskAndTheFormatName) {
  testing::ScriptedPrompt prompt;
  FindFilesDialog dialog(WithMask(cache::ShowMask::kHtml | cache::ShowMask::kSticky, 3), prompt);
  EXPECT_EQ(dialog.windowTitle(), "Find files");
  EXPECT_TRUE(dialog.byName()->isChecked());
  EXPECT_FALSE(dialog.byDate()->isChecked());
  for (QRadioButton* range : {dialog.before(), dialog.laterThan(), dialog.exactlyAt(), dialog.between()})
    EXPECT_FALSE(range->isChecked()) << range->text().toStdString();
  EXPECT_EQ(dialog.formatName()->text(), "DDMMYYYY");
  const std::vector<std::pair<QString, bool>> expected{
      {"Html-Files", true},         {"Plain Text Files", false},  {"Image Files", false},
      {"Audio Files", false},       {"Application Files", false}, {"Misc Files", false},
      {"Style Sheet Files", false}, {"Cookie Files", false},      {"All sticky files", true}};
  ASSERT_EQ(dialog.showBoxes().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(dialog.showBoxes()[i].box->text(), expected[i].first);
    EXPECT_EQ(dialog.showBoxes()[i].box->isChecked(), expected[i].second) << i;
  }
}

TEST(FindFilesDialogTest, ControlOrderFollowsTheFields) {
  testing::ScriptedPrompt prompt;
  FindFilesDialog dialog(WithMask(1), prompt);
  std::vector<QWidget*> order{dialog.name(),      dialog.date(),   dialog.toDate(), dialog.thirdDate(),
                              dialog.byName(),    dialog.byDate(), dialog.before(), dialog.laterThan(),
                              dialog.exactlyAt(), dialog.between()};
  for (const auto& show : dialog.showBoxes()) order.push_back(show.box);
  order.push_back(dialog.buttons()->button(QDialogButtonBox::Ok));
  // Radio buttons of one group share a single tab stop, so compare the chain itself.
  std::vector<QWidget*> chain;
  QWidget* widget = &dialog;
  while ((widget = widget->nextInFocusChain()) != &dialog)
    if (std::find(order.begin(), order.end(), widget) != order.end()) chain.push_back(widget);
  EXPECT_EQ(chain, order);
}

TEST(FindFilesDialogTest, EachShowBoxFlipsItsBitAndOtherBitsStay) {
  testing::ScriptedPrompt prompt;
  const uint32_t unknownBit = 0x80000;
  FindFilesDialog dialog(WithMask(cache::ShowMask::kHtml | unknownBit), prompt);
  dialog.showBoxes()[0].box->click();  // Html off
  dialog.showBoxes()[2].box->click();  // Images on
  dialog.showBoxes()[7].box->click();  // Cookies on
  EXPECT_EQ(dialog.Choice().showMask, cache::ShowMask::kImage | cache::ShowMask::kCookie | unknownBit);
}

TEST(FindFilesDialogTest, DateFieldsGetSeparatorsAndBadDatesKeepTheDialogOpen) {
  testing::ScriptedPrompt prompt;
  FindFilesDialog dialog(WithMask(1), prompt);
  dialog.show();
  dialog.byDate()->setChecked(true);
  dialog.between()->setChecked(true);
  dialog.date()->setText("010199");
  dialog.toDate()->setText("13/45/99");
  ClickOk(dialog.buttons());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.date()->text(), "01/01/99");
  EXPECT_EQ(prompt.told, (std::vector<testing::PromptCall>{{"Invalid Date or Format", ""}}));

  dialog.toDate()->setText("123199");
  ClickOk(dialog.buttons());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const FindFilesChoice choice = dialog.Choice();
  EXPECT_TRUE(choice.byDate && !choice.byName && choice.between);
  EXPECT_EQ(choice.date, "01/01/99");
  EXPECT_EQ(choice.toDate, "12/31/99");
  EXPECT_EQ(choice.thirdDate, "");
}

TEST(FindFilesDialogTest, TheStoredFormatDecidesWhichDatesAreValid) {
  testing::ScriptedPrompt prompt;
  FindFilesDialog dayFirst(WithMask(1, 1), prompt);
  dayFirst.show();
  dayFirst.date()->setText("31/12/99");
  ClickOk(dayFirst.buttons());
  EXPECT_EQ(dayFirst.result(), QDialog::Accepted);
  FindFilesDialog monthFirst(WithMask(1, 0), prompt);
  monthFirst.show();
  monthFirst.date()->setText("31/12/99");
  ClickOk(monthFirst.buttons());
  EXPECT_TRUE(monthFirst.isVisible());
}

TEST(SearchTextDialogTest, StartsEmptyAndGivesTheChoices) {
  SearchTextDialog dialog({});
  EXPECT_EQ(dialog.windowTitle(), "Search files for text");
  std::vector<QCheckBox*> boxes{dialog.searchCache(), dialog.searchLocalCopies(), dialog.searchCommentFields(),
                                dialog.searchAddressFields(), dialog.caseSensitive()};
  const QStringList texts{"Search all files in cache", "Search all files in local copy",
                          "Search comment field of local copies", "Search address field of local copies",
                          "case sensitive"};
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i]->text(), texts[static_cast<qsizetype>(i)]);
    EXPECT_FALSE(boxes[i]->isChecked());
  }
  EXPECT_TRUE(dialog.text()->text().isEmpty());
  bool labelled = false;
  for (QLabel* label : dialog.findChildren<QLabel*>()) labelled |= label->text() == "Text to search for:";
  EXPECT_TRUE(labelled);
  std::vector<QWidget*> order{dialog.text()};
  order.insert(order.end(), boxes.begin(), boxes.end());
  EXPECT_EQ(TabOrder(&dialog, order), order);

  dialog.text()->setText("needle");
  dialog.searchAddressFields()->setChecked(true);
  dialog.caseSensitive()->setChecked(true);
  const SearchTextChoice choice = dialog.Choice();
  EXPECT_EQ(choice.text, "needle");
  EXPECT_TRUE(choice.searchAddressFields && choice.caseSensitive);
  EXPECT_FALSE(choice.searchCache || choice.searchLocalCopies || choice.searchCommentFields);
}

}  // namespace
}  // namespace vantry::ops

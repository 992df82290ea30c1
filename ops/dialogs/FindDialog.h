#pragma once

#include <cstdint>
#include <vector>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "archive/UserPrompt.h"
#include "ops/CommandDialogs.h"

// The dialogs of the find commands.
namespace vantry::ops {

// "Find files": a name or a date range, and the kinds of entries to show.
class FindFilesDialog : public QDialog {
  Q_OBJECT

 public:
  FindFilesDialog(const FindFilesChoice& choice, archive::UserPrompt& prompt, QWidget* parent = nullptr);
  FindFilesChoice Choice() const;
  // Checks the three date fields (separators are inserted); a rejected one is told and
  // keeps the dialog open.
  void accept() override;

  struct ShowBox {
    QCheckBox* box;
    uint32_t bit;
  };

  QLineEdit* name() const { return name_; }
  QLineEdit* date() const { return date_; }
  QLineEdit* toDate() const { return toDate_; }
  QLineEdit* thirdDate() const { return thirdDate_; }
  QRadioButton* byName() const { return byName_; }
  QRadioButton* byDate() const { return byDate_; }
  QRadioButton* before() const { return before_; }
  QRadioButton* laterThan() const { return laterThan_; }
  QRadioButton* exactlyAt() const { return exactlyAt_; }
  QRadioButton* between() const { return between_; }
  const std::vector<ShowBox>& showBoxes() const { return showBoxes_; }
  QLabel* formatName() const { return formatName_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  void AddShowBox(QWidget* group, const char* text, uint32_t bit);

  archive::UserPrompt& prompt_;
  int dateFormat_;
  uint32_t mask_;
  QLineEdit* name_;
  QLineEdit* date_;
  QLineEdit* toDate_;
  QLineEdit* thirdDate_;
  QRadioButton* byName_;
  QRadioButton* byDate_;
  QRadioButton* before_;
  QRadioButton* laterThan_;
  QRadioButton* exactlyAt_;
  QRadioButton* between_;
  std::vector<ShowBox> showBoxes_;
  QLabel* formatName_;
  QDialogButtonBox* buttons_;
};

// "Search files for text".
class SearchTextDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SearchTextDialog(const SearchTextChoice& choice, QWidget* parent = nullptr);
  SearchTextChoice Choice() const;

  QLineEdit* text() const { return text_; }
  QCheckBox* searchCache() const { return searchCache_; }
  QCheckBox* searchLocalCopies() const { return searchLocalCopies_; }
  QCheckBox* searchCommentFields() const { return searchCommentFields_; }
  QCheckBox* searchAddressFields() const { return searchAddressFields_; }
  QCheckBox* caseSensitive() const { return caseSensitive_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  QLineEdit* text_;
  QCheckBox* searchCache_;
  QCheckBox* searchLocalCopies_;
  QCheckBox* searchCommentFields_;
  QCheckBox* searchAddressFields_;
  QCheckBox* caseSensitive_;
  QDialogButtonBox* buttons_;
};

}  // namespace vantry::ops

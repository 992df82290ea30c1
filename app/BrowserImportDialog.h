#pragma once

#include <vector>

#include <QDialog>

#include "import/BrowserImport.h"

class QDialogButtonBox;
class QTreeWidget;

namespace vantry::app {

// "Import from browser": one checkable line per profile found, with its browser, its name
// and the size of its cache; every profile is checked at first. "Import" is enabled while
// at least one is.
class BrowserImportDialog : public QDialog {
  Q_OBJECT

 public:
  BrowserImportDialog(const std::vector<import::ProfileOffer>& offers, QWidget* parent = nullptr);

  // The positions in `offers` of the checked profiles, in order.
  std::vector<size_t> Chosen() const;

  QTreeWidget* profiles() const { return profiles_; }
  QDialogButtonBox* buttons() const { return buttons_; }

 private:
  void EnableImport();

  QTreeWidget* profiles_;
  QDialogButtonBox* buttons_;
};

}  // namespace vantry::app

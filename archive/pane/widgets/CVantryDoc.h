#pragma once

#include <QObject>

namespace vantry::archive {

// The program's one document. It holds no data: a new document only asks its views to
// update, which makes the pane take its first page.
class CVantryDoc : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  void OnNewDocument() { emit UpdateAllViews(); }

 signals:
  void UpdateAllViews();
};

}  // namespace vantry::archive

#pragma once

#include <memory>

#include <QAbstractScrollArea>

#include "inspect/HexViewModel.h"
#include "inspect/widgets/QtHexClipboard.h"

class QMenu;

namespace vantry::inspect {

// The self-drawn hex view: paints its model's rows, caret and selection and hands keys,
// mouse, scroll bar and menu commands to the model. It reports nothing back; what the
// user edits stays in the view.
class HexView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Context-menu command ids, in the order the menu shows them.
  enum Command : int {
    kUndo = 57643,
    kCut = 57635,
    kCopy = 57634,
    kPaste = 57637,
    kDelete = 57632,
    kSelectAll = 57642,
  };

  explicit HexView(QWidget* parent = nullptr);

  // A copy of `count` bytes; count 0 shows nothing. Caret on byte 0, hex high digit.
  void SetData(const char* bytes, int count);
  // A copy of the bytes with the caret keeping its column.
  void SetDataKeepingColumn(const char* bytes, int count);
  // The caret to byte `index`, scrolled into view.
  void GoTo(int index);
  const HexViewModel& Model() const { return model_; }

  // The context menu with its enabled states; the caller owns it.
  std::unique_ptr<QMenu> CreateContextMenu();
  void RunCommand(int command);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void OnScrollAction(int action);
  void MeasureFont();
  void Refresh();
  void PaintRows(QPainter& painter) const;

  HexViewModel model_;
  QtHexClipboard clipboard_;
  bool applyingScrollAction_ = false;
};

}  // namespace vantry::inspect

#include "inspect/widgets/HexView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace vantry::inspect {

namespace {

std::optional<HexKey> MovementOrEditKey(int key) {
  switch (key) {
    case Qt::Key_Tab:
      return HexKey::Tab;
    case Qt::Key_Left:
      return HexKey::Left;
    case Qt::Key_Right:
      return HexKey::Right;
    case Qt::Key_Up:
      return HexKey::Up;
    case Qt::Key_Down:
      return HexKey::Down;
    case Qt::Key_Home:
      return HexKey::Home;
    case Qt::Key_End:
      return HexKey::End;
    case Qt::Key_PageUp:
      return HexKey::PageUp;
    case Qt::Key_PageDown:
      return HexKey::PageDown;
    case Qt::Key_Insert:
      return HexKey::Insert;
    case Qt::Key_Delete:
      return HexKey::Delete;
    default:
      return std::nullopt;
  }
}

// The character code a key press types: control codes for Ctrl+C, X, V, Z and
// Backspace, else the Latin-1 code of the text; nothing for other keys.
std::optional<unsigned char> TypedCode(const QKeyEvent& event) {
  if (event.modifiers() & Qt::ControlModifier) {
    switch (event.key()) {
      case Qt::Key_C:
        return 3;
      case Qt::Key_X:
        return 24;
      case Qt::Key_V:
        return 22;
      case Qt::Key_Z:
        return 26;
      default:
        return std::nullopt;
    }
  }
  if (event.key() == Qt::Key_Backspace) return 8;
  QString text = event.text();
  if (text.size() != 1 || text[0].unicode() > 0xFF) return std::nullopt;
  return static_cast<unsigned char>(text[0].unicode());
}

std::optional<ScrollRequest> RequestOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return ScrollRequest::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
      return ScrollRequest::LineDown;
    case QAbstractSlider::SliderPageStepSub:
      return ScrollRequest::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
      return ScrollRequest::PageDown;
    case QAbstractSlider::SliderMove:
      return ScrollRequest::ThumbTrack;
    default:
      return std::nullopt;
  }
}

}  // namespace

HexView::HexView(QWidget* parent) : QAbstractScrollArea(parent) {
  QFont font("Courier New");
  font.setPixelSize(12);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  setFont(font);
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::StyledPanel);
  setAccessibleName(tr("Hex view"));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &HexView::OnScrollAction);
  MeasureFont();
  Refresh();
}

void HexView::SetData(const char* bytes, int count) {
  model_.SetData(std::string_view(bytes, bytes != nullptr && count > 0 ? count : 0));
  Refresh();
}

void HexView::SetDataKeepingColumn(const char* bytes, int count) {
  model_.SetDataKeepingColumn(std::string_view(bytes, bytes != nullptr && count > 0 ? count : 0));
  Refresh();
}

void HexView::GoTo(int index) {
  model_.GoTo(index);
  Refresh();
}

void HexView::MeasureFont() {
  QFontMetrics metrics(font());
  model_.SetMetrics(metrics.horizontalAdvance(QLatin1Char('0')), metrics.height());
}

void HexView::Refresh() {
  ScrollBarState state = model_.VerticalScrollBar();
  QScrollBar* bar = verticalScrollBar();
  QSignalBlocker blocker(bar);
  bar->setRange(0, state.maximum);
  bar->setPageStep(state.pageStep);
  bar->setSingleStep(1);
  bar->setValue(state.value);
  bar->setEnabled(state.enabled);
  viewport()->update();
}

void HexView::OnScrollAction(int action) {
  std::optional<ScrollRequest> request = RequestOf(action);
  if (applyingScrollAction_ || !request) return;
  applyingScrollAction_ = true;
  model_.Scroll(*request, verticalScrollBar()->sliderPosition());
  verticalScrollBar()->setSliderPosition(model_.VerticalScrollBar().value);
  applyingScrollAction_ = false;
  viewport()->update();
}

void HexView::scrollContentsBy(int, int) { viewport()->update(); }

void HexView::PaintRows(QPainter& painter) const {
  const QPalette& colours = palette();
  QFontMetrics metrics(font());
  int width = model_.CharWidth();
  int height = model_.RowHeight();
  for (int row = 0; row < model_.VisibleRows(); ++row) {
    std::string cells = model_.RowCells(row);
    std::optional<CellSpan> selected = model_.SelectedCells(row);
    for (int cell = 0; cell < kRowCells; ++cell) {
      bool highlight = selected && cell >= selected->firstCell && cell < selected->firstCell + selected->cellCount;
      QRect box(cell * width, row * height, width, height);
      // Base and Text are the colours of a text field, where the selection shows as Highlight.
      painter.fillRect(box, colours.color(highlight ? QPalette::Highlight : QPalette::Base));
      painter.setPen(colours.color(highlight ? QPalette::HighlightedText : QPalette::Text));
      painter.drawText(box.left(), box.top() + metrics.ascent(), QString(QLatin1Char(cells[cell])));
    }
  }
}

// Everything is drawn into an image first and copied in one step, so the view does not
// flicker while the caret moves or a selection grows.
void HexView::paintEvent(QPaintEvent*) {
  QImage image(viewport()->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(font());
    if (model_.HasData()) PaintRows(painter);
    std::optional<PixelRect> caret = model_.Caret();
    if (caret && hasFocus()) {
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.fillRect(QRect(caret->x, caret->y, caret->width, caret->height), Qt::white);
    }
  }
  QPainter(viewport()).drawImage(0, 0, image);
}

void HexView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  model_.SetClientSize(viewport()->width(), viewport()->height());
  Refresh();
}

void HexView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    MeasureFont();
    Refresh();
  }
}

bool HexView::focusNextPrevChild(bool) { return false; }  // Tab switches columns here

void HexView::keyPressEvent(QKeyEvent* event) {
  bool shift = event->modifiers() & Qt::ShiftModifier;
  bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (std::optional<HexKey> key = MovementOrEditKey(event->key())) {
    model_.HandleKey(*key, shift, ctrl);
  } else if (std::optional<unsigned char> code = TypedCode(*event)) {
    model_.TypeCharacter(*code, clipboard_);
  } else {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  Refresh();
}

void HexView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  QPoint point = event->position().toPoint();
  model_.PressLeft(point.x(), point.y(), event->modifiers() & Qt::ShiftModifier);
  Refresh();
}

void HexView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  QPoint point = event->position().toPoint();
  model_.MoveLeft(point.x(), point.y(), QApplication::startDragDistance());
  Refresh();
}

void HexView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) model_.ReleaseLeft();
}

void HexView::wheelEvent(QWheelEvent* event) {
  int notches = event->angleDelta().y() / 120;
  for (int i = 0; i < 3 * std::abs(notches); ++i)
    model_.Scroll(notches > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown);
  Refresh();
}

void HexView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void HexView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

std::unique_ptr<QMenu> HexView::CreateContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  HexMenuState state = model_.MenuState(clipboard_);
  auto add = [&](const QString& text, Command command, bool enabled) {
    QAction* action = menu->addAction(text);
    action->setData(static_cast<int>(command));
    action->setEnabled(enabled);
  };
  add(tr("&Undo"), kUndo, false);
  menu->addSeparator();
  add(tr("Cu&t"), kCut, state.cut);
  add(tr("&Copy"), kCopy, state.copy);
  add(tr("&Paste"), kPaste, state.paste);
  add(tr("&Delete"), kDelete, state.del);
  menu->addSeparator();
  add(tr("Select &All"), kSelectAll, true);
  return menu;
}

void HexView::RunCommand(int command) {
  switch (command) {
    case kCut:
      model_.Cut(clipboard_);
      break;
    case kCopy:
      model_.Copy(clipboard_);
      break;
    case kPaste:
      model_.Paste(clipboard_);
      break;
    case kDelete:
      model_.DeleteSelection();
      break;
    case kSelectAll:
      model_.SelectAll();
      break;
    default:
      break;  // Undo does nothing
  }
  Refresh();
}

void HexView::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu = CreateContextMenu();
  QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos();
  if (QAction* chosen = menu->exec(at)) RunCommand(chosen->data().toInt());
}

}  // namespace vantry::inspect

#include "inspect/HexViewModel.h"

#include <algorithm>

namespace vantry::inspect {

std::string_view HexViewModel::SelectedBytes() const {
  if (!HasSelection()) return {};
  int from = std::clamp(std::min(selectionStart_, selectionEnd_), 0, Length());
  int to = std::clamp(std::max(selectionStart_, selectionEnd_), 0, Length());
  return std::string_view(data_).substr(from, to - from);
}

void HexViewModel::SetData(std::string_view bytes) {
  SetDataKeepingColumn(bytes);
  column_ = kHexHighDigit;
}

void HexViewModel::SetDataKeepingColumn(std::string_view bytes) {
  data_.assign(bytes);
  hasData_ = !bytes.empty();
  ClearSelection();
  caret_ = 0;
  top_ = 0;
  caretHidden_ = false;
  dragArmed_ = selecting_ = false;
}

void HexViewModel::SetMetrics(int charWidth, int rowHeight) {
  charWidth_ = std::max(1, charWidth);
  rowHeight_ = std::max(1, rowHeight);
}

void HexViewModel::SetClientSize(int width, int height) {
  clientWidth_ = std::max(0, width);
  clientHeight_ = std::max(0, height);
}

int HexViewModel::ClientRows() const { return clientHeight_ / rowHeight_; }

int HexViewModel::RowsPerPage() const {
  int rows = ClientRows();
  int length = Length();
  if (kBytesPerRow * rows > length) rows = (4 + length) / kBytesPerRow + (length % kBytesPerRow != 0 ? 1 : 0);
  return rows;
}

// Rows start at multiples of 8, so the last page starts at the row that shows the last
// byte at the bottom.
int HexViewModel::LastPageTop() const { return std::max(0, RoundUpToRow(Length() - RowsPerPage() * kBytesPerRow)); }

int HexViewModel::VisibleRows() const {
  if (!hasData_) return 0;
  int rows = 0;
  while (rows < ClientRows() && top_ + rows * kBytesPerRow < Length()) ++rows;
  return rows;
}

std::optional<CellSpan> HexViewModel::SelectedCells(int row) const {
  if (!HasSelection() || column_ == kAddressColumn) return std::nullopt;
  int first = top_ + row * kBytesPerRow;
  int from = std::max(std::min(selectionStart_, selectionEnd_), first);
  int to = std::min({std::max(selectionStart_, selectionEnd_), first + kBytesPerRow, Length()});
  if (from >= to) return std::nullopt;
  if (column_ == kTextColumn) return CellSpan{kTextColumnCell + from - first, to - from};
  return CellSpan{kHexColumnCell + 3 * (from - first), 3 * (to - from) - 1};
}

ScrollBarState HexViewModel::VerticalScrollBar() const {
  ScrollBarState bar;
  bar.maximum = LastPageTop() / kBytesPerRow;
  bar.pageStep = std::max(1, RowsPerPage() - 1);
  bar.value = top_ / kBytesPerRow;
  bar.enabled = bar.maximum > 0;
  return bar;
}

std::optional<PixelRect> HexViewModel::Caret() const {
  if (!hasData_ || caretHidden_) return std::nullopt;
  int row = FloorDiv(caret_ - top_, kBytesPerRow);
  int byteInRow = caret_ - top_ - row * kBytesPerRow;
  PixelRect caret{CaretCell(byteInRow, column_) * charWidth_, row * rowHeight_, CaretCellWidth(column_) * charWidth_,
                  rowHeight_};
  if (caret.x < 0 || caret.y < 0 || caret.x >= clientWidth_ || caret.y >= clientHeight_) return std::nullopt;
  return caret;
}

std::optional<HexHit> HexViewModel::HitTest(int x, int y) const {
  if (!hasData_ || x < 0 || y < 0) return std::nullopt;
  int row = y / rowHeight_;
  int first = top_ + row * kBytesPerRow;
  if (row >= RowsPerPage() || first >= Length()) return std::nullopt;
  std::optional<RowCellHit> cell = HitRowCell(x / charWidth_);
  if (!cell || first + cell->byteInRow >= Length()) return std::nullopt;
  return HexHit{first + cell->byteInRow, cell->column};
}

void HexViewModel::ScrollTo(int top) {
  int moved = top - top_;
  top_ = top;
  if (!followLock_ && Length() > 0) caret_ = std::clamp(caret_ + moved, 0, Length() - 1);
}

void HexViewModel::Scroll(ScrollRequest request, int thumbPosition) {
  int page = RowsPerPage() * kBytesPerRow;
  switch (request) {
    case ScrollRequest::LineUp:
      if (top_ >= 1) ScrollTo(top_ - kBytesPerRow);
      break;
    case ScrollRequest::LineDown:
      if (top_ < Length() - page) ScrollTo(top_ + kBytesPerRow);
      break;
    case ScrollRequest::PageUp:
      if (top_ >= 1) ScrollTo(std::max(0, top_ - page));
      break;
    case ScrollRequest::PageDown:
      if (top_ < Length() - page) ScrollTo(std::min(top_ + page, LastPageTop()));
      break;
    case ScrollRequest::ThumbTrack:
      ScrollTo(std::clamp(thumbPosition, 0, LastPageTop() / kBytesPerRow) * kBytesPerRow);
      break;
    case ScrollRequest::Other:
      break;
  }
}

void HexViewModel::GoTo(int index) {
  if (!hasData_) return;
  caret_ = std::clamp(index, 0, Length() - 1);
  caretHidden_ = false;
  ClearSelection();
  int rowStart = caret_ - caret_ % kBytesPerRow;
  if (caret_ < top_ || caret_ >= top_ + RowsPerPage() * kBytesPerRow) top_ = std::min(rowStart, LastPageTop());
}

void HexViewModel::KeepCaretOnPage() {
  if (RowsPerPage() == 0) return;  // no page to keep it on while the view has no height
  if (caret_ < top_)
    Scroll(ScrollRequest::LineUp);
  else if (caret_ >= top_ + RowsPerPage() * kBytesPerRow)
    Scroll(ScrollRequest::LineDown);
}

void HexViewModel::MoveDigitLeft() {
  if (column_ == kHexLowDigit) {
    column_ = kHexHighDigit;
  } else if (caret_ > 0) {
    --caret_;
    column_ = kHexLowDigit;
  }
}

void HexViewModel::MoveDigitRight() {
  if (column_ == kHexHighDigit) {
    column_ = kHexLowDigit;
  } else if (caret_ + 1 < Length()) {
    ++caret_;
    column_ = kHexHighDigit;
  }
}

void HexViewModel::Move(HexKey key, bool ctrl) {
  int rowStart = caret_ - caret_ % kBytesPerRow;
  int target = caret_;
  switch (key) {
    case HexKey::Left:
      if (IsHexColumn(column_)) return MoveDigitLeft();
      if (column_ == kTextColumn) target = caret_ - 1;
      break;
    case HexKey::Right:
      if (IsHexColumn(column_)) return MoveDigitRight();
      if (column_ == kTextColumn) target = caret_ + 1;
      break;
    case HexKey::Up:
      target = caret_ - kBytesPerRow;
      break;
    case HexKey::Down:
      target = caret_ + kBytesPerRow;
      break;
    case HexKey::Home:
      target = ctrl ? 0 : rowStart;
      if (ctrl) ScrollTo(0);
      break;
    case HexKey::End:
      target = ctrl ? Length() - 1 : std::min(rowStart + kBytesPerRow - 1, Length() - 1);
      if (ctrl) ScrollTo(LastPageTop());
      break;
    case HexKey::PageUp:
      Scroll(ScrollRequest::PageUp);
      break;
    case HexKey::PageDown:
      Scroll(ScrollRequest::PageDown);
      break;
    default:
      break;
  }
  if (target < Length()) caret_ = std::max(0, target);
}

void HexViewModel::HandleKey(HexKey key, bool shift, bool ctrl) {
  if (!hasData_) return;
  followLock_ = true;
  caretHidden_ = false;
  int before = caret_;
  switch (key) {
    case HexKey::Tab:
      column_ = IsHexColumn(column_) ? kTextColumn : kHexHighDigit;
      break;
    case HexKey::Insert:
      InsertBytes(caret_, std::string(std::max<size_t>(1, SelectedBytes().size()), '\0'));
      break;
    case HexKey::Delete:
      if (HasSelection()) {
        auto [from, to] = std::minmax(selectionStart_, selectionEnd_);
        DeleteBytes(from, to);
      } else if (caret_ < Length()) {
        DeleteBytes(caret_, caret_ + 1);
      }
      break;
    default:
      Move(key, ctrl);
      if (!shift) {
        ClearSelection();
      } else {
        if (!HasSelection()) selectionStart_ = before;
        bool forward = key == HexKey::Right || key == HexKey::Down;
        selectionEnd_ = forward ? SelectionEndFor(caret_) : caret_;
      }
      break;
  }
  KeepCaretOnPage();
  followLock_ = false;
}

}  // namespace vantry::inspect

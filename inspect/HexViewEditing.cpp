#include <algorithm>
#include <cstdlib>

#include "inspect/HexViewModel.h"

namespace vantry::inspect {

// The hex view's typing, mouse selection, clipboard commands and byte edits.

void HexViewModel::TypeCharacter(unsigned char code, HexClipboard& clipboard) {
  if (!hasData_ || code == '\t') return;
  followLock_ = true;
  caretHidden_ = false;
  switch (code) {
    case 3:
      Copy(clipboard);
      break;
    case 24:
      Cut(clipboard);
      break;
    case 22:
      Paste(clipboard);
      break;
    case 26:
      break;
    case 8:
      if (caret_ > 0) {
        --caret_;
        DeleteBytes(caret_, caret_ + 1);
      }
      break;
    default: {
      ClearSelection();
      if (caret_ >= Length()) break;
      char& byte = data_[caret_];
      if (column_ == kTextColumn) {
        byte = static_cast<char>(code);
        if (caret_ + 1 < Length()) ++caret_;
      } else if (IsHexColumn(column_)) {
        int digit = code >= '0' && code <= '9' ? code - '0' : code >= 'a' && code <= 'f' ? code - 'a' + 10 : -1;
        if (digit < 0) break;
        auto value = static_cast<unsigned char>(byte);
        value = column_ == kHexHighDigit ? (value & 0x0F) | (digit << 4) : (value & 0xF0) | digit;
        byte = static_cast<char>(value);
        MoveDigitRight();
      }
      break;
    }
  }
  KeepCaretOnPage();
  followLock_ = false;
}

// The mouse selects whole bytes in the hex column whichever way it goes: both the byte
// where the selection started and the one under the pointer are included.
void HexViewModel::SelectFromAnchorToCaret(int anchor) {
  if (IsHexColumn(column_) && caret_ < anchor) {
    selectionStart_ = anchor + 1;
    selectionEnd_ = caret_;
  } else {
    selectionStart_ = anchor;
    selectionEnd_ = SelectionEndFor(caret_);
  }
}

void HexViewModel::PressLeft(int x, int y, bool shift) {
  if (!hasData_) return;
  int before = caret_;
  if (std::optional<HexHit> hit = HitTest(x, y)) {
    caret_ = hit->index;
    column_ = hit->column;
    caretHidden_ = false;
  }
  if (shift) {
    SelectFromAnchorToCaret(before);
    return;
  }
  ClearSelection();
  dragArmed_ = true;
  pressX_ = x;
  pressY_ = y;
}

void HexViewModel::MoveLeft(int x, int y, int dragDistance) {
  if (dragArmed_ && !selecting_) {
    if (std::abs(x - pressX_) + std::abs(y - pressY_) < dragDistance) return;
    selecting_ = true;
    dragAnchor_ = caret_;
    selectionStart_ = selectionEnd_ = caret_;
  }
  if (!selecting_) return;
  caretHidden_ = true;
  if (y < 0) {
    Scroll(ScrollRequest::LineUp);
    y = 0;
  } else if (y >= clientHeight_) {
    Scroll(ScrollRequest::LineDown);
    y = std::max(0, ClientRows() - 1) * rowHeight_;
  }
  if (std::optional<HexHit> hit = HitTest(x, y)) {
    caret_ = hit->index;
    column_ = hit->column;
    SelectFromAnchorToCaret(dragAnchor_);
  }
}

void HexViewModel::ReleaseLeft() { dragArmed_ = selecting_ = false; }

void HexViewModel::Copy(HexClipboard& clipboard) const {
  if (!HasSelection()) return;
  std::string_view bytes = SelectedBytes();
  clipboard.Offer(bytes, HexClipboardText(bytes, column_));
}

void HexViewModel::Cut(HexClipboard& clipboard) {
  if (!HasSelection()) return;
  Copy(clipboard);
  auto [from, to] = std::minmax(selectionStart_, selectionEnd_);
  DeleteBytes(from, to);
}

void HexViewModel::Paste(const HexClipboard& clipboard) {
  if (!hasData_) return;
  std::optional<std::string> block = clipboard.RawBytes();
  if (!block) block = clipboard.PlainText();
  if (!block || block->empty()) return;
  int caret = caret_;
  int at = std::min(caret_ + (column_ == kHexLowDigit ? 1 : 0), Length());
  if (HasSelection()) {
    auto [from, to] = std::minmax(selectionStart_, selectionEnd_);
    DeleteBytes(from, to);
    at = from;
  }
  InsertBytes(at, *block);
  caret_ = std::min(caret, Length() - 1);
}

void HexViewModel::DeleteSelection() {
  if (!HasSelection()) return;
  auto [from, to] = std::minmax(selectionStart_, selectionEnd_);
  caret_ = from;
  DeleteBytes(from, to);
}

void HexViewModel::SelectAll() {
  if (!hasData_) return;
  selectionStart_ = 0;
  selectionEnd_ = Length();
  caretHidden_ = true;
}

HexMenuState HexViewModel::MenuState(const HexClipboard& clipboard) const {
  bool selected = HasSelection();
  return {selected, selected, clipboard.RawBytes().has_value() || clipboard.PlainText().has_value(), selected};
}

void HexViewModel::DeleteBytes(int from, int to) {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  data_.erase(from, to - from);
  ClearSelection();
  if (caret_ >= Length()) caret_ = std::max(0, Length() - 1);
  // A view scrolled past the new end would show nothing while the caret sits above it.
  top_ = std::min(top_, LastPageTop());
}

void HexViewModel::InsertBytes(int at, std::string_view bytes) {
  data_.insert(std::clamp(at, 0, Length()), bytes);
  ClearSelection();
}

}  // namespace vantry::inspect

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "inspect/HexClipboard.h"
#include "inspect/HexLayout.h"

namespace vantry::inspect {

enum class HexKey { Tab, Left, Right, Up, Down, Home, End, PageUp, PageDown, Insert, Delete };
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Other };

// The vertical scroll bar in the terms of a slider: positions 0 to maximum, in rows.
struct ScrollBarState {
  int maximum = 0;
  int pageStep = 1;
  int value = 0;
  bool enabled = false;
  bool operator==(const ScrollBarState&) const = default;
};

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct CellSpan {
  int firstCell = 0;
  int cellCount = 0;
  bool operator==(const CellSpan&) const = default;
};

struct HexHit {
  int index = 0;
  int column = kAddressColumn;
  bool operator==(const HexHit&) const = default;
};

struct HexMenuState {
  bool cut = false, copy = false, paste = false, del = false;
};

// Everything the hex view knows and does, apart from pixels on a screen: its own copy
// of the bytes, the caret, the selection, the page geometry in cells, the keys, the
// mouse and the clipboard commands. Its edits are never written back anywhere.
class HexViewModel {
 public:
  // A copy of `bytes`; empty shows nothing. Clears the selection, caret on byte 0 in
  // the hex column's high digit, scrolled to the top.
  void SetData(std::string_view bytes);
  // As SetData, but the caret keeps its column (a fresh view starts in the address column).
  void SetDataKeepingColumn(std::string_view bytes);
  bool HasData() const { return hasData_; }
  const std::string& Data() const { return data_; }
  int Length() const { return static_cast<int>(data_.size()); }

  // Pixel size of a character cell and of the visible area.
  void SetMetrics(int charWidth, int rowHeight);
  void SetClientSize(int width, int height);
  int CharWidth() const { return charWidth_; }
  int RowHeight() const { return rowHeight_; }

  int TopIndex() const { return top_; }
  int CaretIndex() const { return caret_; }
  int Column() const { return column_; }
  int SelectionStart() const { return selectionStart_; }
  int SelectionEnd() const { return selectionEnd_; }
  bool HasSelection() const { return selectionStart_ != -1 && selectionEnd_ != -1 && selectionStart_ != selectionEnd_; }
  // The selected bytes, smaller end first, larger end excluded.
  std::string_view SelectedBytes() const;

  int RowsPerPage() const;
  // Rows to draw: whole rows inside the client height that start within the data.
  int VisibleRows() const;
  std::string RowCells(int row) const { return HexRowCells(data_, top_ + row * kBytesPerRow); }
  // The highlighted cells of a visible row: the selection, in the caret's column only.
  std::optional<CellSpan> SelectedCells(int row) const;
  ScrollBarState VerticalScrollBar() const;
  // The caret in pixels; nothing when hidden or outside the client area.
  std::optional<PixelRect> Caret() const;
  std::optional<HexHit> HitTest(int x, int y) const;

  void Scroll(ScrollRequest request, int thumbPosition = 0);
  // The caret to byte `index` (the last byte when the data ends before it), the selection
  // cleared and the byte's row scrolled to the top unless it is on the page already.
  void GoTo(int index);
  void HandleKey(HexKey key, bool shift, bool ctrl);
  // A typed character: control codes 3, 24, 22 and 26 are Ctrl+C, X, V and Z; 8 is Backspace.
  void TypeCharacter(unsigned char code, HexClipboard& clipboard);

  void PressLeft(int x, int y, bool shift);
  // Moving with the left button down; a drag selection starts once the pointer has
  // travelled `dragDistance` pixels from where it was pressed.
  void MoveLeft(int x, int y, int dragDistance);
  void ReleaseLeft();
  bool IsSelecting() const { return selecting_; }

  void Copy(HexClipboard& clipboard) const;
  void Cut(HexClipboard& clipboard);
  void Paste(const HexClipboard& clipboard);
  // The menu's Delete: the caret goes to the selection start, then the selection goes.
  void DeleteSelection();
  void SelectAll();
  HexMenuState MenuState(const HexClipboard& clipboard) const;

 private:
  void ClearSelection() { selectionStart_ = selectionEnd_ = -1; }
  void ScrollTo(int top);
  int LastPageTop() const;
  int ClientRows() const;
  void Move(HexKey key, bool ctrl);
  void MoveDigitLeft();
  void MoveDigitRight();
  void KeepCaretOnPage();
  void DeleteBytes(int from, int to);
  void InsertBytes(int at, std::string_view bytes);
  int SelectionEndFor(int index) const { return index + (IsHexColumn(column_) ? 1 : 0); }
  void SelectFromAnchorToCaret(int anchor);

  std::string data_;
  bool hasData_ = false;
  int top_ = 0;
  int caret_ = 0;
  int column_ = kAddressColumn;
  int selectionStart_ = -1;
  int selectionEnd_ = -1;
  bool followLock_ = false;
  bool caretHidden_ = false;
  int charWidth_ = 8;
  int rowHeight_ = 12;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  // Mouse: a press arms a drag; moving far enough turns it into a selection.
  bool dragArmed_ = false;
  bool selecting_ = false;
  int pressX_ = 0;
  int pressY_ = 0;
  int dragAnchor_ = 0;
};

}  // namespace vantry::inspect

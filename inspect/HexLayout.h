#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantry::inspect {

// The cell layout of one hex-view row, in character cells of a fixed-pitch font:
// 8 address digits, a blank, 8 hex pairs with a blank each, then 8 text characters.

inline constexpr int kBytesPerRow = 8;
inline constexpr int kHexColumnCell = 9;
inline constexpr int kTextColumnCell = 33;
inline constexpr int kRowCells = 41;

// Where the caret stands: the codes are the ones the view's clients see.
enum HexColumn : int { kAddressColumn = 0, kTextColumn = 1, kHexHighDigit = 2, kHexLowDigit = 3 };

inline bool IsHexColumn(int column) { return column == kHexHighDigit || column == kHexLowDigit; }

// The 41 cells of the row that starts at byte `first` of `data`; a short row is
// padded with blanks.
std::string HexRowCells(std::string_view data, int first);

// The text a copy puts on the clipboard: the printable bytes with "." for the others
// (text column) or "XX " per byte (every other column).
std::string HexClipboardText(std::string_view bytes, int column);

// The byte within a row and the column that a cell of the row shows; nothing for the
// blank cells between columns and beyond the text.
struct RowCellHit {
  int byteInRow;
  int column;
};
std::optional<RowCellHit> HitRowCell(int cell);

// First cell of the caret for a byte within a row, and its width in cells.
int CaretCell(int byteInRow, int column);
int CaretCellWidth(int column);

inline int FloorDiv(int value, int divisor) {
  int quotient = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}
inline int RoundUpToRow(int index) { return FloorDiv(index + kBytesPerRow - 1, kBytesPerRow) * kBytesPerRow; }

}  // namespace vantry::inspect

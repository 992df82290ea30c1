#include "inspect/HexLayout.h"

namespace vantry::inspect {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

bool IsPrintable(unsigned char byte) { return byte >= 32 && byte <= 126; }

}  // namespace

std::string HexRowCells(std::string_view data, int first) {
  std::string cells(kRowCells, ' ');
  for (int digit = 0; digit < 8; ++digit)
    cells[digit] = kDigits[(static_cast<unsigned>(first) >> (28 - 4 * digit)) & 0xF];
  for (int k = 0; k < kBytesPerRow && first + k < static_cast<int>(data.size()); ++k) {
    auto byte = static_cast<unsigned char>(data[first + k]);
    cells[kHexColumnCell + 3 * k] = kDigits[byte >> 4];
    cells[kHexColumnCell + 3 * k + 1] = kDigits[byte & 0xF];
    cells[kTextColumnCell + k] = IsPrintable(byte) ? static_cast<char>(byte) : '.';
  }
  return cells;
}

std::string HexClipboardText(std::string_view bytes, int column) {
  std::string text;
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (column == kTextColumn) {
      text += IsPrintable(byte) ? c : '.';
    } else {
      text += kDigits[byte >> 4];
      text += kDigits[byte & 0xF];
      text += ' ';
    }
  }
  return text;
}

std::optional<RowCellHit> HitRowCell(int cell) {
  if (cell < 0) return std::nullopt;
  if (cell < kHexColumnCell - 1) return RowCellHit{0, kAddressColumn};
  if (cell == kHexColumnCell - 1) return RowCellHit{0, kHexHighDigit};
  if (cell < kTextColumnCell - 1) {
    int k = (cell - kHexColumnCell) / 3;
    switch ((cell - kHexColumnCell) % 3) {
      case 0:
        return RowCellHit{k, kHexHighDigit};
      case 1:
        return RowCellHit{k, kHexLowDigit};
      default:
        return RowCellHit{k + 1, kHexHighDigit};  // the blank before the next pair
    }
  }
  if (cell >= kTextColumnCell && cell < kTextColumnCell + kBytesPerRow)
    return RowCellHit{cell - kTextColumnCell, kTextColumn};
  return std::nullopt;
}

int CaretCell(int byteInRow, int column) {
  switch (column) {
    case kTextColumn:
      return kTextColumnCell + byteInRow;
    case kHexHighDigit:
      return kHexColumnCell + 3 * byteInRow;
    case kHexLowDigit:
      return kHexColumnCell + 3 * byteInRow + 1;
    default:
      return 0;
  }
}

int CaretCellWidth(int column) { return column == kAddressColumn ? 8 : 1; }

}  // namespace vantry::inspect

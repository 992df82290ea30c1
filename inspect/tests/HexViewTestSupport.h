#pragma once

#include <gtest/gtest.h>

#include "inspect/HexViewModel.h"

namespace vantry::inspect {

// Shared fixtures of the hex view model tests: a view of known geometry over the bytes
// 0, 1, 2, ... and a clipboard that keeps what it was offered.
inline constexpr int kCharWidth = 10;
inline constexpr int kRowHeight = 20;

class FakeClipboard : public HexClipboard {
 public:
  void Offer(std::string_view raw, std::string_view plain) override {
    rawBytes = std::string(raw);
    text = std::string(plain);
  }
  std::optional<std::string> RawBytes() const override { return rawBytes; }
  std::optional<std::string> PlainText() const override { return text; }
  std::optional<std::string> rawBytes;
  std::optional<std::string> text;
};

inline std::string Bytes(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += static_cast<char>(i);
  return bytes;
}

// A view of `rows` whole rows showing `length` bytes 0, 1, 2, ...
inline HexViewModel View(int length, int rows = 5) {
  HexViewModel view;
  view.SetMetrics(kCharWidth, kRowHeight);
  view.SetClientSize(kRowCells * kCharWidth, rows * kRowHeight + kRowHeight / 2);
  view.SetData(Bytes(length));
  return view;
}

// Pixel point in the middle of a cell of a visible row.
inline int X(int cell) { return cell * kCharWidth + kCharWidth / 2; }
inline int Y(int row) { return row * kRowHeight + kRowHeight / 2; }

inline void Drag(HexViewModel& view, int fromCell, int toCell, int row = 0) {
  view.PressLeft(X(fromCell), Y(row), false);
  view.MoveLeft(X(toCell), Y(row), 4);
  view.ReleaseLeft();
}

}  // namespace vantry::inspect

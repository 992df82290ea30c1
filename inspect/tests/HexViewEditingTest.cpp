#include <gtest/gtest.h>

#include "inspect/tests/HexViewTestSupport.h"

namespace vantry::inspect {

namespace {

TEST(HexViewModel, DragSelectionEndsDependOnTheColumn) {
  HexViewModel view = View(16);
  Drag(view, kHexColumnCell + 3 * 2, kHexColumnCell + 3 * 5);
  EXPECT_EQ(view.SelectedBytes(), Bytes(6).substr(2, 4));
  EXPECT_EQ(view.SelectedCells(0), (CellSpan{kHexColumnCell + 6, 11}));
  Drag(view, kTextColumnCell + 2, kTextColumnCell + 5);
  EXPECT_EQ(view.SelectedBytes(), Bytes(6).substr(2, 3));
  EXPECT_EQ(view.SelectedCells(0), (CellSpan{kTextColumnCell + 2, 3}));
  EXPECT_EQ(view.SelectedCells(1), std::nullopt);
}

TEST(HexViewModel, RightToLeftSelectsTheSameBytesAsLeftToRight) {
  const int hexByte2 = kHexColumnCell + 6, hexByte5 = kHexColumnCell + 15;
  const int textByte2 = kTextColumnCell + 2, textByte5 = kTextColumnCell + 5;
  FakeClipboard forward, backward;
  for (auto [from, to] : {std::pair{hexByte2, hexByte5}, std::pair{textByte2, textByte5}}) {
    HexViewModel view = View(16);
    Drag(view, from, to);
    view.Copy(forward);
    Drag(view, to, from);
    view.Copy(backward);
    EXPECT_EQ(backward.rawBytes, forward.rawBytes);
    EXPECT_EQ(backward.text, forward.text);
  }
  EXPECT_EQ(forward.rawBytes, Bytes(5).substr(2));  // the text column leaves out the end byte
}

TEST(HexViewModel, ClickWithoutDragClearsTheSelectionAndShiftClickExtends) {
  HexViewModel view = View(16);
  view.SelectAll();
  EXPECT_EQ(view.Caret(), std::nullopt);
  view.PressLeft(X(kTextColumnCell + 3), Y(0), false);
  view.MoveLeft(X(kTextColumnCell + 3) + 1, Y(0), 4);  // below the drag distance
  view.ReleaseLeft();
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(view.CaretIndex(), 3);
  EXPECT_TRUE(view.Caret().has_value());
  view.PressLeft(X(kHexColumnCell + 3 * 6), Y(1), true);
  EXPECT_EQ(view.SelectionStart(), 3);
  EXPECT_EQ(view.SelectionEnd(), 15);  // byte 14 in the hex column, end included
}

TEST(HexViewModel, DragAboveAndBelowScrollsOneLine) {
  HexViewModel view = View(100, 4);
  view.PressLeft(X(kHexColumnCell), Y(1), false);
  view.MoveLeft(X(kHexColumnCell), 4 * kRowHeight + 30, 4);
  EXPECT_EQ(view.TopIndex(), 8);
  EXPECT_EQ(view.SelectionStart(), 8);
  EXPECT_EQ(view.SelectionEnd(), 8 + 3 * 8 + 1);  // bottom row of the scrolled page
  EXPECT_EQ(view.Caret(), std::nullopt);          // hidden while selecting
  view.MoveLeft(X(kHexColumnCell), -5, 4);
  EXPECT_EQ(view.TopIndex(), 0);
  EXPECT_EQ(view.SelectedBytes(), Bytes(9));  // back past the start: byte 0 up to byte 8
  view.ReleaseLeft();
  EXPECT_FALSE(view.IsSelecting());
}

TEST(HexViewModel, TypingInTheHexAndTextColumns) {
  FakeClipboard clipboard;
  HexViewModel view = View(4);
  view.TypeCharacter('A', clipboard);  // upper case is not a digit here
  EXPECT_EQ(view.Data(), Bytes(4));
  view.TypeCharacter('a', clipboard);
  EXPECT_EQ(view.Data()[0], '\xa0');
  EXPECT_EQ(view.Column(), kHexLowDigit);
  view.TypeCharacter('7', clipboard);
  EXPECT_EQ(view.Data()[0], '\xa7');
  EXPECT_EQ(view.CaretIndex(), 1);
  view.TypeCharacter('g', clipboard);
  EXPECT_EQ(view.Data()[1], '\x01');
  view.HandleKey(HexKey::Tab, false, false);
  view.HandleKey(HexKey::End, false, false);
  view.TypeCharacter('Q', clipboard);
  view.TypeCharacter('R', clipboard);  // the last byte: overwrite, caret stays
  EXPECT_EQ(view.Data(), std::string("\xa7\x01\x02R", 4));
  EXPECT_EQ(view.CaretIndex(), 3);
  view.TypeCharacter(8, clipboard);  // Backspace deletes the byte before the caret
  EXPECT_EQ(view.Data(), std::string("\xa7\x01R", 3));
  EXPECT_EQ(view.CaretIndex(), 2);
}

TEST(HexViewModel, InsertAndDelete) {
  HexViewModel view = View(6);
  view.HandleKey(HexKey::Right, false, false);
  view.HandleKey(HexKey::Right, false, false);  // byte 1
  view.HandleKey(HexKey::Insert, false, false);
  EXPECT_EQ(view.Data(), std::string("\0\0\1\2\3\4\5", 7));
  view.HandleKey(HexKey::Right, true, false);
  view.HandleKey(HexKey::Right, true, false);
  view.HandleKey(HexKey::Right, true, false);  // bytes 1 and 2 selected
  view.HandleKey(HexKey::Insert, false, false);
  EXPECT_EQ(view.Data(), std::string("\0\0\0\0\1\2\3\4\5", 9));  // two zeros at the caret, byte 2
  EXPECT_FALSE(view.HasSelection());
  view.HandleKey(HexKey::Delete, false, false);
  EXPECT_EQ(view.Length(), 8);
  view.SelectAll();
  view.HandleKey(HexKey::Delete, false, false);
  EXPECT_EQ(view.Length(), 0);
  EXPECT_EQ(view.CaretIndex(), 0);
  view.HandleKey(HexKey::Delete, false, false);  // nothing left to delete
  view.HandleKey(HexKey::Insert, false, false);
  EXPECT_EQ(view.Data(), std::string(1, '\0'));
}

TEST(HexViewModel, ClipboardRoundTripKeepsRawBytes) {
  FakeClipboard clipboard;
  HexViewModel view;
  view.SetMetrics(kCharWidth, kRowHeight);
  view.SetClientSize(400, 100);
  view.SetData(std::string("A\0BC", 4));
  Drag(view, kHexColumnCell, kHexColumnCell + 3);  // bytes 0 and 1
  view.TypeCharacter(3, clipboard);
  EXPECT_EQ(clipboard.rawBytes, std::string("A\0", 2));
  EXPECT_EQ(clipboard.text, "41 00 ");
  Drag(view, kTextColumnCell, kTextColumnCell + 2);
  view.Copy(clipboard);
  EXPECT_EQ(clipboard.text, "A.");
  view.PressLeft(X(kHexColumnCell + 3 * 3 + 1), Y(0), false);  // byte 3, low digit
  view.ReleaseLeft();
  view.TypeCharacter(22, clipboard);  // paste after the byte
  EXPECT_EQ(view.Data(), std::string("A\0BCA\0", 6));
  EXPECT_EQ(view.CaretIndex(), 3);
  clipboard.rawBytes.reset();
  clipboard.text = "xy";
  view.SelectAll();
  view.Paste(clipboard);  // replaces the selection with the text's bytes
  EXPECT_EQ(view.Data(), "xy");
}

TEST(HexViewModel, CutDeleteAndMenuState) {
  FakeClipboard clipboard;
  HexViewModel view = View(10);
  HexMenuState state = view.MenuState(clipboard);
  EXPECT_FALSE(state.cut || state.copy || state.del || state.paste);
  view.TypeCharacter(24, clipboard);  // Ctrl+X without a selection does nothing
  EXPECT_EQ(view.Length(), 10);
  Drag(view, kTextColumnCell + 6, kTextColumnCell + 2);
  state = view.MenuState(clipboard);
  EXPECT_TRUE(state.cut && state.copy && state.del);
  EXPECT_FALSE(state.paste);
  view.TypeCharacter(24, clipboard);
  EXPECT_EQ(clipboard.rawBytes, Bytes(6).substr(2));
  EXPECT_EQ(view.Data(), Bytes(2) + Bytes(10).substr(6));
  EXPECT_TRUE(view.MenuState(clipboard).paste);
  Drag(view, kTextColumnCell + 5, kTextColumnCell + 1);
  view.DeleteSelection();
  EXPECT_EQ(view.CaretIndex(), 1);
  EXPECT_EQ(view.Data(), std::string("\0\x09", 2));
}

TEST(HexViewModel, NoDataMeansNoReaction) {
  FakeClipboard clipboard;
  clipboard.text = "abc";
  HexViewModel view = View(0);
  view.HandleKey(HexKey::Insert, false, false);
  view.TypeCharacter('a', clipboard);
  view.TypeCharacter(22, clipboard);
  view.PressLeft(X(9), Y(0), false);
  EXPECT_EQ(view.Length(), 0);
  EXPECT_EQ(view.Caret(), std::nullopt);
}

}  // namespace

}  // namespace vantry::inspect

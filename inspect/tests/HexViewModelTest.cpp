#include "HexViewModel.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCharWidth = 10;
constexpr int kRowHeight = 20;

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

std::string Bytes(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += static_cast<char>(i);
  return bytes;
}

// A view of `rows` whole rows showing `length` bytes 0, 1, 2, ...
HexViewModel View(int length, int rows = 5) {
  HexViewModel view;
  view.SetMetrics(kCharWidth, kRowHeight);
  view.SetClientSize(kRowCells * kCharWidth, rows * kRowHeight + kRowHeight / 2);
  view.SetData(Bytes(length));
  return view;
}

// Pixel point in the middle of a cell of a visible row.
int X(int cell) { return cell * kCharWidth + kCharWidth / 2; }
int Y(int row) { return row * kRowHeight + kRowHeight / 2; }

void Drag(HexViewModel& view, int fromCell, int toCell, int row = 0) {
  view.PressLeft(X(fromCell), Y(row), false);
  view.MoveLeft(X(toCell), Y(row), 4);
  view.ReleaseLeft();
}

TEST(HexViewModel, RowsShowAddressHexAndText) {
  HexViewModel view = View(20);
  ASSERT_EQ(view.VisibleRows(), 3);
  EXPECT_EQ(view.RowCells(0), "00000000 00 01 02 03 04 05 06 07 ........");
  EXPECT_EQ(view.RowCells(1).substr(0, 8), "00000008");
  EXPECT_EQ(view.RowCells(2), "00000010 10 11 12 13 " + std::string(12, ' ') + "....    ");
  EXPECT_EQ(view.RowCells(2).substr(21, 12), std::string(12, ' '));
  view.SetData("Az~\x7f\x1f \xff");
  EXPECT_EQ(view.RowCells(0), "00000000 41 7A 7E 7F 1F 20 FF    Az~.. . ");
  view.SetData("");
  EXPECT_FALSE(view.HasData());
  EXPECT_EQ(view.VisibleRows(), 0);
}

TEST(HexViewModel, SetDataResetsCaretSelectionAndScroll) {
  HexViewModel view = View(100);
  view.Scroll(ScrollRequest::LineDown);
  view.SelectAll();
  view.HandleKey(HexKey::Tab, false, false);
  view.SetData(Bytes(30));
  EXPECT_EQ(view.TopIndex(), 0);
  EXPECT_EQ(view.CaretIndex(), 0);
  EXPECT_EQ(view.Column(), kHexHighDigit);
  EXPECT_FALSE(view.HasSelection());
}

TEST(HexViewModel, HitTestMapsCellsToBytesAndColumns) {
  HexViewModel view = View(13);  // second row has 5 bytes
  struct Row {
    int cell, row;
    std::optional<HexHit> expected;
  } rows[] = {
      {0, 0, HexHit{0, kAddressColumn}},   {7, 1, HexHit{8, kAddressColumn}},
      {8, 0, HexHit{0, kHexHighDigit}},    {9, 0, HexHit{0, kHexHighDigit}},
      {10, 0, HexHit{0, kHexLowDigit}},    {11, 0, HexHit{1, kHexHighDigit}},
      {30, 0, HexHit{7, kHexHighDigit}},   {31, 0, HexHit{7, kHexLowDigit}},
      {32, 0, std::nullopt},               {33, 0, HexHit{0, kTextColumn}},
      {40, 0, HexHit{7, kTextColumn}},     {41, 0, std::nullopt},
      {21, 1, HexHit{12, kHexHighDigit}},  {24, 1, std::nullopt},  // byte 13 does not exist
      {37, 1, HexHit{12, kTextColumn}},    {38, 1, std::nullopt},
      {0, 2, std::nullopt},                // row past the data
  };
  for (const Row& row : rows) EXPECT_EQ(view.HitTest(X(row.cell), Y(row.row)), row.expected) << row.cell;
  EXPECT_EQ(view.HitTest(-1, Y(0)), std::nullopt);
  EXPECT_EQ(view.HitTest(X(9), -1), std::nullopt);
}

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
  EXPECT_EQ(view.Caret(), std::nullopt);           // hidden while selecting
  view.MoveLeft(X(kHexColumnCell), -5, 4);
  EXPECT_EQ(view.TopIndex(), 0);
  EXPECT_EQ(view.SelectedBytes(), Bytes(9));  // back past the start: byte 0 up to byte 8
  view.ReleaseLeft();
  EXPECT_FALSE(view.IsSelecting());
}

struct KeyCase {
  const char* name;
  int startIndex, startColumn;
  HexKey key;
  bool ctrl;
  int index, column, top;
};

TEST(HexViewModel, MovementKeys) {
  // 100 bytes, 5 rows per page: the last page starts at 64.
  const KeyCase cases[] = {
      {"left in hex low to high", 5, kHexLowDigit, HexKey::Left, false, 5, kHexHighDigit, 0},
      {"left in hex high to previous low", 5, kHexHighDigit, HexKey::Left, false, 4, kHexLowDigit, 0},
      {"left at byte 0 stays", 0, kHexHighDigit, HexKey::Left, false, 0, kHexHighDigit, 0},
      {"right in hex high to low", 5, kHexHighDigit, HexKey::Right, false, 5, kHexLowDigit, 0},
      {"right in hex low to next high", 5, kHexLowDigit, HexKey::Right, false, 6, kHexHighDigit, 0},
      {"left in text", 5, kTextColumn, HexKey::Left, false, 4, kTextColumn, 0},
      {"left in text at 0", 0, kTextColumn, HexKey::Left, false, 0, kTextColumn, 0},
      {"right in text", 5, kTextColumn, HexKey::Right, false, 6, kTextColumn, 0},
      {"left in address does nothing", 8, kAddressColumn, HexKey::Left, false, 8, kAddressColumn, 0},
      {"up clamps to 0", 5, kTextColumn, HexKey::Up, false, 0, kTextColumn, 0},
      {"down", 5, kTextColumn, HexKey::Down, false, 13, kTextColumn, 0},
      {"down off the page scrolls a line", 37, kTextColumn, HexKey::Down, false, 45, kTextColumn, 8},
      {"home", 13, kTextColumn, HexKey::Home, false, 8, kTextColumn, 0},
      {"end", 13, kTextColumn, HexKey::End, false, 15, kTextColumn, 0},
      {"ctrl end", 13, kTextColumn, HexKey::End, true, 99, kTextColumn, 64},
      {"tab from address", 8, kAddressColumn, HexKey::Tab, false, 8, kHexHighDigit, 0},
      {"tab from text", 3, kTextColumn, HexKey::Tab, false, 3, kHexHighDigit, 0},
      {"tab from hex", 3, kHexLowDigit, HexKey::Tab, false, 3, kTextColumn, 0},
  };
  for (const KeyCase& c : cases) {
    HexViewModel view = View(100);
    view.PressLeft(X(c.startColumn == kTextColumn ? kTextColumnCell + c.startIndex % 8
                     : c.startColumn == kAddressColumn ? 0
                     : kHexColumnCell + 3 * (c.startIndex % 8) + (c.startColumn == kHexLowDigit)),
                   Y(c.startIndex / 8), false);
    view.ReleaseLeft();
    ASSERT_EQ(view.CaretIndex(), c.startIndex) << c.name;
    view.HandleKey(c.key, false, c.ctrl);
    EXPECT_EQ(view.CaretIndex(), c.index) << c.name;
    EXPECT_EQ(view.Column(), c.column) << c.name;
    EXPECT_EQ(view.TopIndex(), c.top) << c.name;
  }
}

TEST(HexViewModel, EndOfTheLastRowAndMovesPastTheEnd) {
  HexViewModel view = View(21);
  view.HandleKey(HexKey::Tab, false, false);  // hex -> text
  view.HandleKey(HexKey::Down, false, false);
  view.HandleKey(HexKey::Down, false, false);
  EXPECT_EQ(view.CaretIndex(), 16);
  view.HandleKey(HexKey::End, false, false);
  EXPECT_EQ(view.CaretIndex(), 20);
  view.HandleKey(HexKey::Right, false, false);  // would pass the end: undone
  view.HandleKey(HexKey::Down, false, false);
  EXPECT_EQ(view.CaretIndex(), 20);
  view.HandleKey(HexKey::Home, true, true);
  EXPECT_EQ(view.CaretIndex(), 0);
  EXPECT_EQ(view.SelectedBytes(), Bytes(20));  // Shift+Ctrl+Home from byte 20
}

TEST(HexViewModel, ShiftExtendsTheSelectionAndPlainMovesClearIt) {
  HexViewModel view = View(40);  // caret on byte 0, hex high digit
  view.HandleKey(HexKey::Right, true, false);
  EXPECT_EQ(view.SelectionStart(), 0);
  EXPECT_EQ(view.SelectionEnd(), 1);
  view.HandleKey(HexKey::Right, true, false);
  view.HandleKey(HexKey::Down, true, false);
  EXPECT_EQ(view.SelectedBytes(), Bytes(10));  // start 0, end 9 + 1
  view.HandleKey(HexKey::Up, true, false);
  EXPECT_EQ(view.SelectionEnd(), 1);  // no +1 for Up
  view.HandleKey(HexKey::Left, false, false);
  EXPECT_FALSE(view.HasSelection());
}

TEST(HexViewModel, PageKeysScrollWithoutMovingTheCaretThenStepTowardIt) {
  HexViewModel view = View(200);
  view.HandleKey(HexKey::PageDown, false, false);
  EXPECT_EQ(view.CaretIndex(), 0);
  EXPECT_EQ(view.TopIndex(), 40 - 8);  // a page down, then one line back toward the caret
  view.HandleKey(HexKey::PageUp, false, false);
  EXPECT_EQ(view.TopIndex(), 0);
}

TEST(HexViewModel, ScrollRequestsKeepTheTopOnRowsAndMoveTheCaret) {
  HexViewModel view = View(100);  // last page top 64
  struct Step {
    ScrollRequest request;
    int thumb;
    int top;
  } steps[] = {
      {ScrollRequest::LineUp, 0, 0},      {ScrollRequest::LineDown, 0, 8},   {ScrollRequest::PageDown, 0, 48},
      {ScrollRequest::PageDown, 0, 64},   {ScrollRequest::PageDown, 0, 64},  {ScrollRequest::LineDown, 0, 64},
      {ScrollRequest::PageUp, 0, 24},     {ScrollRequest::PageUp, 0, 0},     {ScrollRequest::ThumbTrack, 3, 24},
      {ScrollRequest::ThumbTrack, 99, 64}, {ScrollRequest::Other, 0, 64},
  };
  for (const Step& step : steps) {
    int caretBefore = view.CaretIndex(), topBefore = view.TopIndex();
    view.Scroll(step.request, step.thumb);
    EXPECT_EQ(view.TopIndex(), step.top);
    EXPECT_EQ(view.CaretIndex(), std::clamp(caretBefore + step.top - topBefore, 0, 99));
    EXPECT_EQ(view.VerticalScrollBar().value, step.top / 8);
  }
  EXPECT_EQ(view.VerticalScrollBar(), (ScrollBarState{8, 4, 8, true}));
  EXPECT_FALSE(View(40).VerticalScrollBar().enabled);
  EXPECT_TRUE(View(41).VerticalScrollBar().enabled);
}

TEST(HexViewModel, ScrollingNeverMovesTheCaretPastTheData) {
  HexViewModel view = View(100);
  view.HandleKey(HexKey::End, false, true);
  view.HandleKey(HexKey::Home, false, false);  // 96, still on the last page
  view.HandleKey(HexKey::PageUp, false, false);
  view.Scroll(ScrollRequest::PageDown);
  EXPECT_LT(view.CaretIndex(), 100);
}

TEST(HexViewModel, CaretPlacementPerColumn) {
  HexViewModel view = View(30);
  view.PressLeft(X(kHexColumnCell + 3 * 2 + 1), Y(1), false);  // byte 10, low digit
  EXPECT_EQ(view.Caret(), (PixelRect{(kHexColumnCell + 7) * kCharWidth, kRowHeight, kCharWidth, kRowHeight}));
  view.PressLeft(X(2), Y(2), false);
  EXPECT_EQ(view.Caret(), (PixelRect{0, 2 * kRowHeight, 8 * kCharWidth, kRowHeight}));
  view.PressLeft(X(kTextColumnCell + 1), Y(0), false);
  EXPECT_EQ(view.Caret(), (PixelRect{(kTextColumnCell + 1) * kCharWidth, 0, kCharWidth, kRowHeight}));
  HexViewModel scrolled = View(200);
  scrolled.HandleKey(HexKey::PageDown, false, false);  // caret above the page
  EXPECT_EQ(scrolled.Caret(), std::nullopt);
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

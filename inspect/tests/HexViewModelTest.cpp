#include <gtest/gtest.h>

#include "inspect/tests/HexViewTestSupport.h"

namespace vantry::inspect {

namespace {

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

// A typed address: the caret goes there; a row off the page comes to the top (the last
// page stays full), one on the page stays where it is.
TEST(HexViewModel, GoToMovesTheCaretAndScrollsItsRowIntoView) {
  struct Row {
    int address;
    int caret, top;
  } rows[] = {
      {0, 0, 0}, {20, 20, 0}, {39, 39, 0}, {40, 40, 40}, {0x31, 0x31, 48}, {95, 95, 64}, {500, 99, 64}, {-3, 0, 0},
  };
  for (const Row& row : rows) {
    HexViewModel view = View(100);  // five rows on a page, 13 rows of data
    view.SelectAll();
    view.GoTo(row.address);
    EXPECT_EQ(view.CaretIndex(), row.caret) << row.address;
    EXPECT_EQ(view.TopIndex(), row.top) << row.address;
    EXPECT_FALSE(view.HasSelection());
    EXPECT_TRUE(view.Caret().has_value()) << row.address;
  }
  HexViewModel empty = View(0);
  empty.GoTo(5);
  EXPECT_EQ(empty.CaretIndex(), 0);
}

TEST(HexViewModel, HitTestMapsCellsToBytesAndColumns) {
  HexViewModel view = View(13);  // second row has 5 bytes
  struct Row {
    int cell, row;
    std::optional<HexHit> expected;
  } rows[] = {
      {0, 0, HexHit{0, kAddressColumn}},
      {7, 1, HexHit{8, kAddressColumn}},
      {8, 0, HexHit{0, kHexHighDigit}},
      {9, 0, HexHit{0, kHexHighDigit}},
      {10, 0, HexHit{0, kHexLowDigit}},
      {11, 0, HexHit{1, kHexHighDigit}},
      {30, 0, HexHit{7, kHexHighDigit}},
      {31, 0, HexHit{7, kHexLowDigit}},
      {32, 0, std::nullopt},
      {33, 0, HexHit{0, kTextColumn}},
      {40, 0, HexHit{7, kTextColumn}},
      {41, 0, std::nullopt},
      {21, 1, HexHit{12, kHexHighDigit}},
      {24, 1, std::nullopt},  // byte 13 does not exist
      {37, 1, HexHit{12, kTextColumn}},
      {38, 1, std::nullopt},
      {0, 2, std::nullopt},  // row past the data
  };
  for (const Row& row : rows) EXPECT_EQ(view.HitTest(X(row.cell), Y(row.row)), row.expected) << row.cell;
  EXPECT_EQ(view.HitTest(-1, Y(0)), std::nullopt);
  EXPECT_EQ(view.HitTest(X(9), -1), std::nullopt);
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
                     : c.startColumn == kAddressColumn
                         ? 0
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
      {ScrollRequest::LineUp, 0, 0},       {ScrollRequest::LineDown, 0, 8},  {ScrollRequest::PageDown, 0, 48},
      {ScrollRequest::PageDown, 0, 64},    {ScrollRequest::PageDown, 0, 64}, {ScrollRequest::LineDown, 0, 64},
      {ScrollRequest::PageUp, 0, 24},      {ScrollRequest::PageUp, 0, 0},    {ScrollRequest::ThumbTrack, 3, 24},
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

}  // namespace

}  // namespace vantry::inspect

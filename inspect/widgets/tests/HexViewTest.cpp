#include "inspect/widgets/HexView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace vantry::inspect {

namespace {

class HexViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QPalette colours = view_.palette();
    colours.setColor(QPalette::Base, QColor(255, 255, 200));
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Highlight, QColor(0, 0, 200));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    view_.setPalette(colours);
    view_.resize(400, 200);
    view_.show();
    view_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view_));
    view_.setFocus();
    QGuiApplication::clipboard()->clear();
  }

  void Show(std::string_view bytes) { view_.SetData(bytes.data(), static_cast<int>(bytes.size())); }
  QImage Image() { return view_.viewport()->grab().toImage(); }
  int RowHeight() const { return view_.Model().RowHeight(); }
  int CharWidth() const { return view_.Model().CharWidth(); }
  QPoint CellCentre(int cell, int row) const {
    return QPoint(cell * CharWidth() + CharWidth() / 2, row * RowHeight() + RowHeight() / 2);
  }
  bool AreaHasColour(const QImage& image, QRect area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (image.pixelColor(x, y) == colour) return true;
    return false;
  }

  HexView view_;
};

TEST_F(HexViewTest, PaintsRowsOnWhiteWithTheSelectionInTheCaretColumn) {
  Show("ABCDEFGHIJKLMNOPQRST");  // three rows
  QImage image = Image();
  QRect row0(0, 0, kRowCells * CharWidth(), RowHeight());
  EXPECT_TRUE(AreaHasColour(image, row0, QColor(255, 255, 200)));
  EXPECT_TRUE(AreaHasColour(image, row0, Qt::black));
  EXPECT_EQ(image.pixelColor(2, 3 * RowHeight() + 2), QColor(Qt::white));  // below the data
  EXPECT_EQ(image.pixelColor(image.width() - 2, 2), QColor(Qt::white));    // right of the text
  // The focused caret inverts its cell: the pale base turns dark blue.
  QRect caretCell(kHexColumnCell * CharWidth(), 0, CharWidth(), RowHeight());
  EXPECT_TRUE(AreaHasColour(image, caretCell, QColor(0, 0, 55)));
  EXPECT_FALSE(
      AreaHasColour(image, row0.adjusted(0, 0, -(kRowCells - kHexColumnCell) * CharWidth(), 0), QColor(0, 0, 55)));

  view_.RunCommand(HexView::kSelectAll);
  image = Image();
  QRect hexCells(kHexColumnCell * CharWidth(), 0, 23 * CharWidth(), RowHeight());
  QRect textCells(kTextColumnCell * CharWidth(), 0, 8 * CharWidth(), RowHeight());
  EXPECT_TRUE(AreaHasColour(image, hexCells, QColor(0, 0, 200)));
  EXPECT_FALSE(AreaHasColour(image, textCells, QColor(0, 0, 200)));
  QTest::keyClick(&view_, Qt::Key_Tab);  // the caret goes to the text column, and the highlight with it
  view_.RunCommand(HexView::kSelectAll);
  image = Image();
  EXPECT_FALSE(AreaHasColour(image, hexCells, QColor(0, 0, 200)));
  EXPECT_TRUE(AreaHasColour(image, textCells, QColor(0, 0, 200)));

  Show("");
  image = Image();
  EXPECT_FALSE(AreaHasColour(image, row0, QColor(255, 255, 200)));
}

TEST_F(HexViewTest, KeysMoveTheCaretAndTypeBytes) {
  Show("abcd");
  ASSERT_TRUE(view_.hasFocus());
  QTest::keyClick(&view_, Qt::Key_Right);
  EXPECT_EQ(view_.Model().Column(), kHexLowDigit);
  QTest::keyClick(&view_, Qt::Key_Tab);
  EXPECT_EQ(view_.Model().Column(), kTextColumn);
  EXPECT_TRUE(view_.hasFocus());  // Tab stays in the view
  QTest::keyClicks(&view_, "XY");
  EXPECT_EQ(view_.Model().Data(), "XYcd");
  QTest::keyClick(&view_, Qt::Key_Backspace);
  EXPECT_EQ(view_.Model().Data(), "Xcd");
  QTest::keyClick(&view_, Qt::Key_Insert);
  EXPECT_EQ(view_.Model().Data(), std::string("X\0cd", 4));
  QTest::keyClick(&view_, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(&view_, Qt::Key_Delete);
  EXPECT_EQ(view_.Model().Data(), std::string("X\0c", 3));
}

TEST_F(HexViewTest, ClipboardCarriesRawBytesBesideText) {
  Show(std::string("A\0BC", 4));
  QTest::mousePress(view_.viewport(), Qt::LeftButton, {}, CellCentre(kHexColumnCell, 0));
  QTest::mouseMove(view_.viewport(), CellCentre(kHexColumnCell + 3, 0));
  QTest::mouseRelease(view_.viewport(), Qt::LeftButton, {}, CellCentre(kHexColumnCell + 3, 0));
  ASSERT_EQ(view_.Model().SelectedBytes(), std::string("A\0", 2));
  QTest::keyClick(&view_, Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data(kBinaryDataMimeType), QByteArray("A\0", 2));
  EXPECT_EQ(data->text(), "41 00 ");

  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, CellCentre(kHexColumnCell + 3 * 3, 0));
  EXPECT_EQ(view_.Model().CaretIndex(), 3);
  QTest::keyClick(&view_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(view_.Model().Data(), std::string("A\0BA\0C", 6));

  QGuiApplication::clipboard()->setText("hi");
  view_.RunCommand(HexView::kSelectAll);
  view_.RunCommand(HexView::kPaste);
  EXPECT_EQ(view_.Model().Data(), "hi");
}

TEST_F(HexViewTest, ContextMenuItemsAndTheirStates) {
  Show("0123456789");
  auto states = [&] {
    std::vector<std::pair<int, bool>> items;
    std::unique_ptr<QMenu> menu = view_.CreateContextMenu();
    for (QAction* action : menu->actions())
      items.emplace_back(action->isSeparator() ? 0 : action->data().toInt(), action->isEnabled());
    return items;
  };
  using Items = std::vector<std::pair<int, bool>>;
  EXPECT_EQ(states(), (Items{{HexView::kUndo, false},
                             {0, true},
                             {HexView::kCut, false},
                             {HexView::kCopy, false},
                             {HexView::kPaste, false},
                             {HexView::kDelete, false},
                             {0, true},
                             {HexView::kSelectAll, true}}));
  view_.RunCommand(HexView::kSelectAll);
  view_.RunCommand(HexView::kCopy);
  EXPECT_EQ(states(), (Items{{HexView::kUndo, false},
                             {0, true},
                             {HexView::kCut, true},
                             {HexView::kCopy, true},
                             {HexView::kPaste, true},
                             {HexView::kDelete, true},
                             {0, true},
                             {HexView::kSelectAll, true}}));
  view_.RunCommand(HexView::kDelete);
  EXPECT_EQ(view_.Model().Length(), 0);
}

TEST_F(HexViewTest, ScrollBarFollowsTheModel) {
  Show(std::string(400, 'x'));
  QScrollBar* bar = view_.verticalScrollBar();
  EXPECT_TRUE(bar->isEnabled());
  EXPECT_EQ(bar->maximum(), view_.Model().VerticalScrollBar().maximum);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(view_.Model().TopIndex(), 8);
  EXPECT_EQ(view_.Model().CaretIndex(), 8);  // the caret scrolls along
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->value() * 8, view_.Model().TopIndex());
  QTest::keyClick(&view_, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), 0);
  Show("short");
  EXPECT_FALSE(bar->isEnabled());
}

}  // namespace

}  // namespace vantry::inspect

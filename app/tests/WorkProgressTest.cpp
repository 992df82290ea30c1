// Long work as the window follows it: the dialog that shows it and stops it, and the animation
// that plays only meanwhile.
#include <QLabel>
#include <QMovie>
#include <QProgressDialog>
#include <QTest>
#include <gtest/gtest.h>

#include "app/WorkProgressDialog.h"
#include "app/tests/FrameTestSupport.h"

namespace vantry::app {

namespace {

using namespace std::chrono_literals;

// Lets the dialog's interval between two looks at the events pass.
void AfterAWhile() { QTest::qWait(60); }

TEST_F(FrameTest, TheAnimationPlaysOnlyWhileWorkRuns) {
  auto frame = MakeFrame();
  QMovie* movie = frame->animation()->movie();
  EXPECT_EQ(movie->state(), QMovie::NotRunning);
  EXPECT_FALSE(movie->currentPixmap().isNull());  // the first frame stands still
  std::unique_ptr<cache::WorkProgress> first = frame->BeginWork("one");
  EXPECT_EQ(movie->state(), QMovie::Running);
  std::unique_ptr<cache::WorkProgress> second = frame->BeginWork("two");
  first.reset();
  EXPECT_EQ(movie->state(), QMovie::Running);
  second.reset();
  EXPECT_EQ(movie->state(), QMovie::NotRunning);
  EXPECT_EQ(movie->currentFrameNumber(), 0);
}

TEST(WorkProgressDialogTest, ShowsAfterItsDelayWithTheCountAndCancelStopsTheWork) {
  QWidget owner;
  int ended = 0;
  {
    WorkProgressDialog work(
        &owner, "Searching", [&] { ++ended; }, 0ms);
    EXPECT_TRUE(work.Advance(1, 10));  // too soon to look at events: nothing shown yet
    EXPECT_EQ(work.dialog(), nullptr);
    AfterAWhile();
    EXPECT_TRUE(work.Advance(3, 10));
    ASSERT_NE(work.dialog(), nullptr);
    EXPECT_TRUE(work.dialog()->isVisible());
    EXPECT_TRUE(work.dialog()->isModal());
    EXPECT_EQ(work.dialog()->labelText(), "Searching\n3 of 10");
    EXPECT_EQ(work.dialog()->maximum(), 10);
    EXPECT_EQ(work.dialog()->value(), 3);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);

    AfterAWhile();
    EXPECT_TRUE(work.Advance(12345, 0));
    EXPECT_EQ(work.dialog()->labelText(), "Searching\n12345");
    EXPECT_EQ(work.dialog()->maximum(), 0);  // a busy bar: the total is not known

    work.dialog()->cancel();
    AfterAWhile();
    EXPECT_FALSE(work.Advance(12346, 0));
    EXPECT_FALSE(work.Advance(12347, 0));  // stopped for good, at once
    EXPECT_EQ(ended, 0);
  }
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WorkProgressDialogTest, ShortWorkShowsNothing) {
  QWidget owner;
  WorkProgressDialog work(&owner, "Deleting entries", nullptr, 10s);
  for (int i = 0; i < 3; ++i) {
    AfterAWhile();
    EXPECT_TRUE(work.Advance(i, 0));
  }
  EXPECT_EQ(work.dialog(), nullptr);
}

TEST(WorkProgressDialogTest, LargeTotalsAreScaledToTheBar) {
  QWidget owner;
  WorkProgressDialog work(&owner, "x", nullptr, 0ms);
  AfterAWhile();
  const uint64_t total = uint64_t{5} << 32;
  EXPECT_TRUE(work.Advance(total / 2, total));
  ASSERT_NE(work.dialog(), nullptr);
  EXPECT_GT(work.dialog()->maximum(), 0);
  EXPECT_NEAR(work.dialog()->value(), work.dialog()->maximum() / 2, 1);
}

}  // namespace
}  // namespace vantry::app
